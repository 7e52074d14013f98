#include "crypto/CipherKeys.h"

#include <fstream>
#include <set>
#include <sstream>

#include "base/Text.h"

namespace zidezo {
namespace {

constexpr std::size_t kTextKeyLength = 16;
constexpr std::size_t kHexKeyLength = 32;

bool IsTextKey(const std::string& value) {
  if (value.size() != kTextKeyLength) return false;
  for (char c : value) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

bool IsHexKey(const std::string& value) {
  if (value.size() != kHexKeyLength) return false;
  for (char c : value) {
    const bool digit = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!digit) return false;
  }
  return true;
}

struct KeyField {
  const char* name;
  std::string TCipherKeys::*member;
  bool (*valid)(const std::string&);
  const char* form;
};

const KeyField kFields[] = {
    {"test_content", &TCipherKeys::testContent, IsTextKey, "16 个可打印 ASCII 字符"},
    {"word_synonymy", &TCipherKeys::wordSynonymy, IsTextKey, "16 个可打印 ASCII 字符"},
    {"word_antonym", &TCipherKeys::wordAntonym, IsTextKey, "16 个可打印 ASCII 字符"},
    {"mail_tag", &TCipherKeys::mailTag, IsHexKey, "32 位十六进制数字"},
};

const KeyField* FindField(std::string_view name) {
  for (const KeyField& field : kFields) {
    if (EqualsNoCase(field.name, name)) return &field;
  }
  return nullptr;
}

[[noreturn]] void Fail(const std::filesystem::path& path, int line, const std::string& what) {
  throw EKeyFileError("密钥文件 " + path.string() + " 第 " + std::to_string(line) + " 行：" + what);
}

void ApplyLine(const std::filesystem::path& path, int lineNumber, const std::string& line,
               std::set<std::string, NoCaseLess>& seen, TCipherKeys& keys) {
  const std::string text = Trim(line);
  if (text.empty() || text[0] == '#' || text[0] == ';') return;
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) Fail(path, lineNumber, "应为“名称=值”，却是“" + text + "”");
  const std::string name = Trim(text.substr(0, equals));
  const std::string value = Trim(text.substr(equals + 1));
  const KeyField* field = FindField(name);
  if (field == nullptr) Fail(path, lineNumber, "未知的密钥名称“" + name + "”");
  if (!seen.insert(name).second) Fail(path, lineNumber, "密钥“" + name + "”重复出现");
  if (!field->valid(value)) Fail(path, lineNumber, "密钥“" + name + "”应为" + field->form);
  keys.*(field->member) = value;
}

}  // namespace

TCipherKeys TCipherKeys::Defaults() {
  return TCipherKeys{"kPgaJjaXsyoyP40X", "dmtC8LNe9lPouMWS", "kPZWqA6S0apotBFn",
                     "04C8EA2E486BFAA2DFD7EB869117BCCC"};
}

TCipherKeys TCipherKeys::Load(const std::filesystem::path& path) {
  TCipherKeys keys = Defaults();
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return keys;
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EKeyFileError("无法读取密钥文件 " + path.string());
  std::set<std::string, NoCaseLess> seen;
  std::string line;
  int lineNumber = 0;
  while (std::getline(file, line)) {
    // Editors on other systems may start the file with a UTF-8 byte order mark.
    if (lineNumber == 0 && StartsWith(line, "\xEF\xBB\xBF")) line.erase(0, 3);
    ApplyLine(path, ++lineNumber, line, seen, keys);
  }
  if (file.bad()) throw EKeyFileError("读取密钥文件 " + path.string() + " 时出错");
  return keys;
}

}  // namespace zidezo
