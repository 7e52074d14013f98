#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "TestSupport.h"

// The core must build and run without a screen: no file under src/core may include a Qt header.
TEST(CoreIsUiFree, NoQtHeaderUnderCore) {
  const std::regex qt_include(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt[A-Za-z]*/))");
  std::vector<std::string> offenders;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(zidezo::testing::SourceDir() / "src/core")) {
    if (!entry.is_regular_file()) continue;
    std::istringstream lines(zidezo::testing::ReadFile(entry.path()));
    std::string line;
    while (std::getline(lines, line)) {
      if (std::regex_search(line, qt_include)) offenders.push_back(entry.path().string() + ": " + line);
    }
  }
  EXPECT_TRUE(offenders.empty()) << "Qt headers in core:\n" << ::testing::PrintToString(offenders);
}
