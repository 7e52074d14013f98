#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace zidezo {

// A key file that cannot be read or holds a line that is not a valid key.
class EKeyFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file name of the installation's key file in its Setting folder.
inline constexpr const char* kKeyFileName = "keys.ini";

// The keys of the enciphered texts; they belong to the installation, not to the program.
struct TCipherKeys {
  std::string testContent;   // question content and explanations: 16 characters
  std::string wordSynonymy;  // the synonyms field of dictionary words: 16 characters
  std::string wordAntonym;   // the antonyms field of dictionary words: 16 characters
  std::string mailTag;       // the mail tag: 32 hexadecimal digits

  // The keys of a new installation.
  static TCipherKeys Defaults();

  // Reads "name=value" lines (names test_content, word_synonymy, word_antonym, mail_tag;
  // blank lines and lines starting with '#' or ';' are skipped). Keys the file does not name
  // keep their defaults; a missing file gives the defaults; a bad line throws EKeyFileError
  // naming the file and the line.
  static TCipherKeys Load(const std::filesystem::path& path);

  bool operator==(const TCipherKeys&) const = default;
};

}  // namespace zidezo
