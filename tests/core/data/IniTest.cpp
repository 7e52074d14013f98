#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "data/Ini.h"

namespace zidezo {
namespace {

TEST(IniTest, ReadsWithDefaultsAndWithoutCase) {
  testing::TemporaryFolder folder;
  testing::WriteFile(folder.File("z.ini"), "; comment\n[Company]\nName = 学习软件社\r\nWebSite=example.test\n[Other]\nCount=7\nBad=7x\n");
  TIni ini(folder.File("z.ini"));
  ini.Section = "company";
  EXPECT_EQ(ini.ReadString("NAME"), "学习软件社");
  EXPECT_EQ(ini.ReadString("Missing"), "");
  ini.DefaultText = "none";
  EXPECT_EQ(ini.ReadString("Missing"), "none");
  ini.Section = "OTHER";
  EXPECT_EQ(ini.ReadInteger("count"), 7);
  ini.DefaultInteger = -1;
  EXPECT_EQ(ini.ReadInteger("Bad"), -1);
  ini.Section = "NoSection";
  EXPECT_EQ(ini.ReadInteger("Count"), -1);
  TIni missing(folder.File("absent.ini"));
  missing.Section = "Company";
  EXPECT_EQ(missing.ReadString("Name"), "");
  EXPECT_TRUE(missing.ReadSection().empty());
}

TEST(IniTest, WritingKeepsEveryOtherLineAndReplacesTheFileWhole) {
  testing::TemporaryFolder folder;
  const std::string original = "; keep me\n[A]\nx=1\n\n[B]\n# also me\ny=2\n";
  testing::WriteFile(folder.File("z.ini"), original);
  TIni ini(folder.File("z.ini"));
  ini.Section = "a";
  ASSERT_TRUE(ini.WriteString("X", "10"));
  ASSERT_TRUE(ini.WriteInteger("z", 3));
  ini.Section = "C";
  ASSERT_TRUE(ini.WriteString("w", "new"));
  ini.Section = "B";
  ASSERT_TRUE(ini.DeleteKey("Y"));
  EXPECT_EQ(testing::ReadFile(folder.File("z.ini")), "; keep me\n[A]\nX=10\nz=3\n\n[B]\n# also me\n\n[C]\nw=new\n");
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    EXPECT_EQ(entry.path().filename(), "z.ini") << "a temporary file was left behind";
  }
}

TEST(IniTest, PathsAreKeysAndSectionsKeepFileOrder) {
  testing::TemporaryFolder folder;
  TIni ini(folder.File("z.ini"));
  ini.Section = "7_Exercise";
  ini.WriteInteger("/home/a/b=c/x.db", 1);
  ini.WriteInteger("/home/a/y.db", 1);
  ini.WriteInteger("/home/a/x2.db", 1);
  ini.WriteInteger("/home/a/y.db", 1);  // writing again keeps the order
  auto entries = ini.ReadSection();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].first, "/home/a/b");  // a key ends at its first '='
  EXPECT_EQ(entries[1].first, "/home/a/y.db");
  EXPECT_EQ(entries[2].first, "/home/a/x2.db");
}

TEST(IniTest, ABlankFileNameAddressesTheInstallationsSettingsFile) {
  testing::TemporaryFolder folder;
  SetDefaultSettingsFile(folder.File("zidezo.ini"));
  EXPECT_EQ(TIni("").FileName(), folder.File("zidezo.ini"));
  EXPECT_EQ(TIni("   ").FileName(), folder.File("zidezo.ini"));
  SetDefaultSettingsFile("zidezo.ini");
}

TEST(IniTest, RecentFilesDropEntriesWhoseFileIsGone) {
  testing::TemporaryFolder folder;
  const std::string settings = folder.File("zidezo.ini");
  const std::string first = folder.File("first.db"), second = folder.File("second.db"), third = folder.File("third.db");
  for (const auto& file : {first, second, third}) {
    testing::WriteFile(file, "x");
    AddRecentFile(settings, 7, "Exercise", file);
  }
  std::filesystem::remove(first);
  EXPECT_EQ(RecentFiles(settings, 7, "Exercise"), (std::vector<std::string>{second, third}));
  TIni ini(settings);
  ini.Section = "7_Exercise";
  EXPECT_EQ(ini.ReadSection().size(), 2u);
  EXPECT_TRUE(RecentFiles(settings, 8, "Exercise").empty());
}

}  // namespace
}  // namespace zidezo
