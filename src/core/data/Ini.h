#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zidezo {

// The settings file (zidezo.ini in the data root): sections of key=value lines.
// Sections and keys compare without regard to letter case; keys may be file paths.
// Nothing is cached: every read reads the file, every write rewrites it atomically
// (temporary file, then rename) keeping every other line and comment.
class TIni {
 public:
  // An empty or blank file name addresses the installation's settings file (DefaultSettingsFile).
  explicit TIni(std::string file_name = "");

  std::string Section;
  std::string DefaultText;
  int DefaultInteger = 0;

  const std::string& FileName() const { return file_name_; }

  std::string ReadString(const std::string& key) const;
  int ReadInteger(const std::string& key) const;
  // Every key=value line of the section, in file order.
  std::vector<std::pair<std::string, std::string>> ReadSection() const;

  // Writes return false (and leave the file as it was) when the file cannot be replaced.
  bool WriteString(const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& key, int value);
  bool DeleteKey(const std::string& key);

 private:
  std::string file_name_;
};

// The settings file of the open installation; set once when the data root is known.
void SetDefaultSettingsFile(std::string file_name);
const std::string& DefaultSettingsFile();

// Recently-used lists: section "<user>_<list>", one key per file path with the value 1.
void AddRecentFile(const std::string& settings_file, int user, const std::string& list, const std::string& path);
// The paths in file order; entries whose file is gone are dropped from the section.
std::vector<std::string> RecentFiles(const std::string& settings_file, int user, const std::string& list);

}  // namespace zidezo
