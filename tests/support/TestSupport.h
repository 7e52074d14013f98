#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "base/Clock.h"

namespace zidezo::testing {

// A fresh folder under the system's temporary folder, removed with the object.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Installs a manual program clock for the life of the object.
class ManualClockScope {
 public:
  explicit ManualClockScope(DayNumber now = 45000.5);
  ~ManualClockScope();
  ManualClock& Clock() { return *clock_; }

 private:
  std::shared_ptr<ManualClock> clock_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

// The repository's top folder (for tests that read sources or data).
std::filesystem::path SourceDir();

}  // namespace zidezo::testing
