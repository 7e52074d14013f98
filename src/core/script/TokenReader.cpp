#include "script/TokenReader.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/Text.h"
#include "script/ScriptError.h"

namespace zidezo {
namespace {

struct Keyword {
  const char* word;
  int code;
};

constexpr std::array<Keyword, 61> kKeywords{{
    {"program", 1000},   {"label", 1001},      {"goto", 1002},     {"var", 1003},       {"begin", 1004},
    {"end", 1005},       {"and", 1006},        {"or", 1007},       {"xor", 1008},       {"not", 1009},
    {"shl", 1010},       {"shr", 1011},        {"div", 1012},      {"mod", 1013},       {"true", 1014},
    {"false", 1015},     {"if", 1016},         {"then", 1017},     {"else", 1018},      {"while", 1019},
    {"repeat", 1020},    {"until", 1021},      {"for", 1022},      {"to", 1023},        {"downto", 1024},
    {"do", 1025},        {"nil", 1027},        {"null", 1028},     {"Unitinit", 1031},  {"Unitfinal", 1032},
    {"class", 1033},     {"type", 1034},       {"constr", 1035},   {"destr", 1036},     {"uses", 1037},
    {"unit", 1038},      {"interface", 1039},  {"implement", 1040}, {"procedure", 1041}, {"private", 1042},
    {"public", 1043},    {"protected", 1044},  {"published", 1045}, {"function", 1046}, {"const", 1047},
    {"property", 1048},  {"virtual", 1049},    {"override", 1050}, {"dynamic", 1051},   {"record", 1052},
    {"forward", 1053},   {"index", 1054},      {"read", 1055},     {"write", 1056},     {"stored", 1057},
    {"default", 1058},   {"abstract", 1059},   {"stdcall", 1069},  {"", 0},             {"", 0},
    {"", 0},
}};

constexpr std::string_view kPunctuation = "\"#()*+,-./:;<=>[]^}";

bool IsBlank(int c) { return c >= 1 && c <= 32; }
bool IsIdentifierStart(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsIdentifierPart(int c) { return IsIdentifierStart(c) || IsDigit(c); }

// The length of the UTF-8 sequence that starts at text[at], or 0 when it is no well-formed one.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                    : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

std::string NormaliseLineEnds(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      result += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      result += "\r\n";
    } else {
      result += c;
    }
  }
  return result;
}

int TTokenReader::KeywordCode(std::string_view word) {
  for (const Keyword& keyword : kKeywords) {
    if (keyword.code != 0 && EqualsNoCase(word, keyword.word)) return keyword.code;
  }
  return 0;
}

void TTokenReader::SetText(std::string text) {
  text_ = std::move(text);
  Rewind();
}

void TTokenReader::Rewind() {
  position_ = 0;
  line_ = 0;
  current_ = TToken{};
}

int TTokenReader::PeekByte(std::size_t ahead) const {
  const std::size_t at = position_ + ahead;
  return at < text_.size() ? static_cast<unsigned char>(text_[at]) : 0;
}

void TTokenReader::Fail(std::string_view message) const {
  throw ScriptError(FormatMessage("第%d行出错了。错误为：%s", {std::to_string(line_ + 1), std::string(message)}));
}

void TTokenReader::FailUnknownCharacter() const {
  const std::size_t length = Utf8Length(text_, position_);
  std::string shown;
  if (length == 0 || (length == 1 && static_cast<unsigned char>(text_[position_]) < 32)) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text_[position_]));
    shown = hex;  // a byte that is no character of its own is shown by its code
  } else {
    shown = text_.substr(position_, length);
  }
  Fail(FormatMessage("[%s]无法识别！可能是中文字符。", {shown}));
}

bool TTokenReader::SkipComment() {
  const int c = PeekByte();
  if (c == '/' && PeekByte(1) == '/') {
    position_ += 2;
    // The comment ends with its line end; the CR counts a line, the LF after it is consumed too.
    while (position_ < text_.size()) {
      const char byte = text_[position_++];
      if (byte == '\r') {
        ++line_;
        if (PeekByte() == '\n') ++position_;
        break;
      }
    }
    return true;
  }
  if (c == '(' && PeekByte(1) == '*') {
    position_ += 2;
    while (position_ < text_.size()) {
      if (text_[position_] == '*' && PeekByte(1) == ')') {
        position_ += 2;
        return true;
      }
      if (text_[position_++] == '\r') ++line_;
    }
    return true;
  }
  if (c == '{') {
    ++position_;
    while (position_ < text_.size()) {
      const char byte = text_[position_++];
      if (byte == '\r') ++line_;
      if (byte == '}') break;
    }
    return true;
  }
  return false;
}

void TTokenReader::SkipBlanksAndComments() {
  for (;;) {
    while (IsBlank(PeekByte())) {
      if (text_[position_++] == '\r') ++line_;
    }
    if (!SkipComment()) return;
  }
}

void TTokenReader::ReadString() {
  ++position_;  // the opening quote
  const std::size_t start = position_;
  for (;;) {
    const int c = PeekByte();
    if (c == 0 || c == '\r') Fail("字符串常量没有结束！");
    ++position_;
    if (c == '\'') break;
  }
  current_.kind = token::kString;
  current_.text = text_.substr(start, position_ - start - 1);
}

void TTokenReader::ReadNumber() {
  const std::size_t start = position_;
  while (IsDigit(PeekByte())) ++position_;
  if (PeekByte() == '.' && IsDigit(PeekByte(1))) {
    ++position_;
    while (IsDigit(PeekByte())) ++position_;
  }
  current_.kind = token::kNumber;
  current_.text = text_.substr(start, position_ - start);
  current_.number = std::strtod(current_.text.c_str(), nullptr);
  if (!std::isfinite(current_.number)) Fail("数字常量[" + current_.text + "]不正确！");
}

void TTokenReader::ReadWord() {
  const std::size_t start = position_;
  while (IsIdentifierPart(PeekByte())) ++position_;
  current_.text = text_.substr(start, position_ - start);
  const int code = KeywordCode(current_.text);
  current_.kind = code != 0 ? code : token::kIdentifier;
}

const TToken& TTokenReader::NextToken() {
  SkipBlanksAndComments();
  current_.number = 0.0;
  const int c = PeekByte();
  if (c == 0) {
    current_.kind = token::kEnd;
    current_.text.clear();
  } else if (c == '\'') {
    ReadString();
  } else if (kPunctuation.find(static_cast<char>(c)) != std::string_view::npos) {
    current_.kind = c;
    current_.text.assign(1, static_cast<char>(c));
    ++position_;
  } else if (IsIdentifierStart(c)) {
    ReadWord();
  } else if (IsDigit(c)) {
    ReadNumber();
  } else {
    FailUnknownCharacter();
  }
  return current_;
}

TToken TTokenReader::PeekToken() {
  const std::size_t position = position_;
  const int line = line_;
  TToken saved = current_;
  TToken peeked = NextToken();
  position_ = position;
  line_ = line;
  current_ = std::move(saved);
  return peeked;
}

TToken TTokenReader::PeekSecondToken() {
  const std::size_t position = position_;
  const int line = line_;
  TToken saved = current_;
  NextToken();
  TToken peeked = NextToken();
  position_ = position;
  line_ = line;
  current_ = std::move(saved);
  return peeked;
}

void TTokenReader::Expect(int kind, const char* message) {
  if (NextToken().kind != kind) Fail(message);
}

void TTokenReader::ExpectRightParen() { Expect(')', "缺少右括弧！"); }
void TTokenReader::ExpectComma() { Expect(',', "缺少逗号！"); }
void TTokenReader::ExpectSemicolon() { Expect(';', "缺少分号！"); }

TScriptType TTokenReader::TypeCodeOf(std::string_view name) {
  if (EqualsNoCase(name, "Integer")) return TScriptType::Integer;
  if (EqualsNoCase(name, "Double")) return TScriptType::Double;
  if (EqualsNoCase(name, "Boolean")) return TScriptType::Boolean;
  Fail(FormatMessage("只支持Double,Integer和Boolean三种类型，暂时还不支持[%s]类型", {std::string(name)}));
}

}  // namespace zidezo
