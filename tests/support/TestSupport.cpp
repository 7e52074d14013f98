#include "TestSupport.h"

#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace zidezo::testing {

TemporaryFolder::TemporaryFolder() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("zidezo-test-" + std::to_string(getpid()) + "-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ManualClockScope::ManualClockScope(DayNumber now) : clock_(std::make_shared<ManualClock>(now)) {
  SetProgramClock(clock_);
}

ManualClockScope::~ManualClockScope() { SetProgramClock(nullptr); }

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream stream(path, std::ios::binary | std::ios::trunc);
  stream << content;
}

std::filesystem::path SourceDir() { return ZIDEZO_SOURCE_DIR; }

}  // namespace zidezo::testing
