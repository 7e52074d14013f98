#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/ScriptValue.h"

namespace zidezo {

// Token kinds: 0 end of text, 1..255 one punctuation character (its code), identifiers,
// strings and numbers, and keywords 1000..1069 with fixed codes.
namespace token {
inline constexpr int kEnd = 0;
inline constexpr int kIdentifier = 256;
inline constexpr int kString = 257;
inline constexpr int kNumber = 258;
inline constexpr int kFirstKeyword = 1000;
inline constexpr int kLastKeyword = 1999;

inline constexpr int kProgram = 1000, kVar = 1003, kBegin = 1004, kEnd_ = 1005, kAnd = 1006, kOr = 1007,
                     kXor = 1008, kNot = 1009, kDiv = 1012, kMod = 1013, kTrue = 1014, kFalse = 1015, kIf = 1016,
                     kThen = 1017, kElse = 1018, kWhile = 1019, kRepeat = 1020, kUntil = 1021, kFor = 1022,
                     kTo = 1023, kDownto = 1024, kDo = 1025, kProcedure = 1041, kFunction = 1046;
}  // namespace token

struct TToken {
  int kind = token::kEnd;
  std::string text;     // the token as written (punctuation as one character)
  double number = 0.0;  // number constants

  bool Is(int k) const { return kind == k; }
  bool IsKeyword() const { return kind >= token::kFirstKeyword && kind <= token::kLastKeyword; }
};

// Turns a script text into tokens and raises every compile error with the line it stands on.
// Lines are counted by carriage returns, so texts are normalised to CR LF before they come here.
class TTokenReader {
 public:
  TTokenReader() = default;
  explicit TTokenReader(std::string text) { SetText(std::move(text)); }

  void SetText(std::string text);
  void Rewind();  // back to the first byte and line 0
  const std::string& Text() const { return text_; }

  const TToken& NextToken();
  TToken PeekToken();
  TToken PeekSecondToken();
  const TToken& CurrentToken() const { return current_; }
  int Line() const { return line_; }  // carriage returns passed so far

  void ExpectRightParen();
  void ExpectComma();
  void ExpectSemicolon();
  TScriptType TypeCodeOf(std::string_view name);

  [[noreturn]] void Fail(std::string_view message) const;

  // The keyword code of a word, or 0 when it is no keyword.
  static int KeywordCode(std::string_view word);

 private:
  struct Position {
    std::size_t position;
    int line;
  };
  int PeekByte(std::size_t ahead = 0) const;
  void SkipBlanksAndComments();
  bool SkipComment();
  void ReadString();
  void ReadNumber();
  void ReadWord();
  [[noreturn]] void FailUnknownCharacter() const;
  void Expect(int kind, const char* message);

  std::string text_;
  std::size_t position_ = 0;  // next byte, counted from 0
  int line_ = 0;
  TToken current_;
};

// Carriage return + line feed for every line end (LF alone or CR alone included).
std::string NormaliseLineEnds(std::string_view text);

}  // namespace zidezo
