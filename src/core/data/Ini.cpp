#include "data/Ini.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "base/Text.h"

namespace zidezo {
namespace {

std::vector<std::string> ReadLines(const std::string& file_name) {
  std::vector<std::string> lines;
  std::ifstream stream(file_name, std::ios::binary);
  std::string line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0) lines.front().erase(0, 3);
  return lines;
}

bool WriteLinesAtomically(const std::string& file_name, const std::vector<std::string>& lines) {
  const std::string temporary = file_name + ".tmp" + std::to_string(getpid());
  {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    if (!stream) return false;
    for (const std::string& line : lines) stream << line << "\n";
    stream.flush();
    if (!stream) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, file_name, error);
  if (error) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

std::optional<std::string> SectionName(const std::string& line) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
    return Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
  }
  return std::nullopt;
}

bool IsComment(const std::string& line) {
  const std::string trimmed = Trim(line);
  return trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#';
}

// A key=value line split at its first '='.
std::optional<std::pair<std::string, std::string>> KeyValue(const std::string& line) {
  if (IsComment(line)) return std::nullopt;
  const auto equals = line.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return std::make_pair(Trim(std::string_view(line).substr(0, equals)), Trim(std::string_view(line).substr(equals + 1)));
}

// The range [first, last) of lines belonging to the section (after its header), or nullopt.
struct SectionRange {
  std::size_t header;
  std::size_t first;
  std::size_t last;
};

std::optional<SectionRange> FindSection(const std::vector<std::string>& lines, const std::string& section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionName(lines[i]);
    if (!name || !EqualsNoCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end])) ++end;
    return SectionRange{i, i + 1, end};
  }
  return std::nullopt;
}

}  // namespace

namespace {

std::string& DefaultFile() {
  static std::string file = "zidezo.ini";
  return file;
}

}  // namespace

void SetDefaultSettingsFile(std::string file_name) { DefaultFile() = std::move(file_name); }

const std::string& DefaultSettingsFile() { return DefaultFile(); }

TIni::TIni(std::string file_name)
    : file_name_(Trim(file_name).empty() ? DefaultSettingsFile() : std::move(file_name)) {}

std::string TIni::ReadString(const std::string& key) const {
  const auto lines = ReadLines(file_name_);
  auto range = FindSection(lines, Section);
  if (!range) return DefaultText;
  for (std::size_t i = range->first; i < range->last; ++i) {
    auto pair = KeyValue(lines[i]);
    if (pair && EqualsNoCase(pair->first, key)) return pair->second;
  }
  return DefaultText;
}

int TIni::ReadInteger(const std::string& key) const {
  const std::string text = ReadString(key);
  int value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return DefaultInteger;
  return value;
}

std::vector<std::pair<std::string, std::string>> TIni::ReadSection() const {
  std::vector<std::pair<std::string, std::string>> entries;
  const auto lines = ReadLines(file_name_);
  auto range = FindSection(lines, Section);
  if (!range) return entries;
  for (std::size_t i = range->first; i < range->last; ++i) {
    if (auto pair = KeyValue(lines[i])) entries.push_back(std::move(*pair));
  }
  return entries;
}

bool TIni::WriteString(const std::string& key, const std::string& value) {
  auto lines = ReadLines(file_name_);
  const std::string line = key + "=" + value;
  auto range = FindSection(lines, Section);
  if (!range) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + Section + "]");
    lines.push_back(line);
    return WriteLinesAtomically(file_name_, lines);
  }
  for (std::size_t i = range->first; i < range->last; ++i) {
    auto pair = KeyValue(lines[i]);
    if (pair && EqualsNoCase(pair->first, key)) {
      if (pair->second == value) return true;
      lines[i] = line;
      return WriteLinesAtomically(file_name_, lines);
    }
  }
  // New keys go after the section's last key, before trailing blank lines.
  std::size_t insert_at = range->last;
  while (insert_at > range->first && Trim(lines[insert_at - 1]).empty()) --insert_at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_at), line);
  return WriteLinesAtomically(file_name_, lines);
}

bool TIni::WriteInteger(const std::string& key, int value) { return WriteString(key, std::to_string(value)); }

bool TIni::DeleteKey(const std::string& key) {
  auto lines = ReadLines(file_name_);
  auto range = FindSection(lines, Section);
  if (!range) return true;
  for (std::size_t i = range->first; i < range->last; ++i) {
    auto pair = KeyValue(lines[i]);
    if (pair && EqualsNoCase(pair->first, key)) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
      return WriteLinesAtomically(file_name_, lines);
    }
  }
  return true;
}

namespace {

std::string RecentSection(int user, const std::string& list) { return std::to_string(user) + "_" + list; }

}  // namespace

void AddRecentFile(const std::string& settings_file, int user, const std::string& list, const std::string& path) {
  TIni ini(settings_file);
  ini.Section = RecentSection(user, list);
  ini.WriteInteger(path, 1);
}

std::vector<std::string> RecentFiles(const std::string& settings_file, int user, const std::string& list) {
  TIni ini(settings_file);
  ini.Section = RecentSection(user, list);
  std::vector<std::string> paths;
  for (const auto& [path, value] : ini.ReadSection()) {
    if (std::filesystem::is_regular_file(path)) {
      paths.push_back(path);
    } else {
      ini.DeleteKey(path);
    }
  }
  return paths;
}

}  // namespace zidezo
