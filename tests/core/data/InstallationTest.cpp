#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "data/AdoChannel.h"
#include "data/Catalogue.h"
#include "data/Installation.h"
#include "data/ReferenceContent.h"

namespace zidezo {
namespace {

namespace fs = std::filesystem;

TEST(CatalogueTest, EveryTableAndColumnIsCreatedAndNamesIgnoreCase) {
  testing::TemporaryFolder folder;
  TAdoChannel channel;
  ASSERT_TRUE(channel.CreateDatabase(folder.File("c.db")));
  const DatabaseDefinition& config = *FindDatabase("config");
  ASSERT_TRUE(CreateTables(channel, config)) << channel.LastError();
  EXPECT_TRUE(MissingSchema(channel, config).empty());
  EXPECT_TRUE(CreateTables(channel, config)) << "creating again must leave existing tables alone";
  // The catalogue keeps its spelling, and statements may mix the case of names.
  EXPECT_TRUE(channel.ExecSql("insert into HELP (id, TILTE) values (1, 'x')"));
  EXPECT_EQ(channel.QueryText("select Tilte from Help where ID = 1"), "x");
  EXPECT_TRUE(channel.ExecSql("insert into recite_check_dummy_absent values (1)") == false);
  ASSERT_TRUE(channel.ExecSql("drop table Tips"));
  ASSERT_TRUE(channel.ExecSql("alter table Algorithm drop column Title"));
  auto missing = MissingSchema(channel, config);
  EXPECT_EQ(missing, (std::vector<std::string>{"表 Algorithm 缺少列 Title", "缺少表 Tips"}));
}

TEST(ReferenceContentTest, TableFilesKeepNullsEscapesAndReportTheirLine) {
  testing::TemporaryFolder folder;
  testing::WriteFile(folder.File("Algorithm.tsv"), "# comment\nID\tTitle\tContent\n1\ta\\tb\tx\\ny\n2\t\\N\t@file:text.txt\n");
  TableFile table = ReadTableFile(folder.File("Algorithm.tsv"));
  EXPECT_EQ(table.columns, (std::vector<std::string>{"ID", "Title", "Content"}));
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0][1], "a\tb");
  EXPECT_EQ(table.rows[0][2], "x\ny");
  EXPECT_EQ(table.line_numbers[1], 4);
  testing::WriteFile(folder.File("Bad.tsv"), "A\tB\n1\t2\n3\n");
  try {
    ReadTableFile(folder.File("Bad.tsv"));
    FAIL() << "a short row must be refused";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("第3行"), std::string::npos) << error.what();
  }
}

TEST(ReferenceContentTest, ABadValueLoadsNothingAndNamesItsLine) {
  testing::TemporaryFolder folder;
  fs::create_directories(folder.Path() / "tables/Config");
  testing::WriteFile(folder.Path() / "tables/Config/Algorithm.tsv", "ID\tTitle\tContent\n1\tgood\t@file:a.txt\n2x\tbad\t\\N\n");
  testing::WriteFile(folder.Path() / "a.txt", "begin end.");
  TAdoChannel channel;
  ASSERT_TRUE(channel.CreateDatabase(folder.File("c.db")));
  const DatabaseDefinition& config = *FindDatabase("Config");
  ASSERT_TRUE(CreateTables(channel, config));
  std::string error;
  EXPECT_FALSE(channel.InTransaction([&] { return LoadReferenceTables(channel, config, folder.Path(), error); }));
  EXPECT_NE(error.find("Algorithm.tsv 第3行"), std::string::npos) << error;
  EXPECT_EQ(channel.QueryInteger("select count(*) from Algorithm"), 0);
  testing::WriteFile(folder.Path() / "tables/Config/Algorithm.tsv", "ID\tTitle\tContent\n1\tgood\t@file:a.txt\n");
  EXPECT_TRUE(channel.InTransaction([&] { return LoadReferenceTables(channel, config, folder.Path(), error); })) << error;
  EXPECT_EQ(channel.QueryText("select Content from Algorithm where ID = 1"), "begin end.");
}

class InstallationTest : public ::testing::Test {
 protected:
  DataPaths Paths() const { return DataPaths{folder.Path() / "home"}; }
  testing::TemporaryFolder folder;
};

TEST_F(InstallationTest, ANewInstallationIsHealthyAndASecondRunChangesNothing) {
  std::string error;
  bool already = true;
  ASSERT_TRUE(CreateInstallation(Paths(), error, already)) << error;
  EXPECT_FALSE(already);
  for (const auto& sub : {"Database", "Setting", "Temp", "wav", "Picture", "Attachment"}) {
    EXPECT_TRUE(fs::is_directory(Paths().root / sub)) << sub;
  }
  for (const auto& entry : fs::directory_iterator(Paths().root)) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".installing")) << "staging folder left behind";
  }
  InstallationReport report = CheckInstallation(Paths());
  EXPECT_TRUE(report.Healthy()) << ::testing::PrintToString(report.problems);
  EXPECT_EQ(report.lines.size(), 3u);
  const auto before = fs::last_write_time(Paths().ConfigDatabase());
  ASSERT_TRUE(CreateInstallation(Paths(), error, already));
  EXPECT_TRUE(already);
  EXPECT_EQ(fs::last_write_time(Paths().ConfigDatabase()), before);
}

TEST_F(InstallationTest, TheCheckNamesDamageWithoutRepairingIt) {
  std::string error;
  bool already = false;
  ASSERT_TRUE(CreateInstallation(Paths(), error, already)) << error;
  struct Case {
    const char* name;
    std::string content;  // written over Config.db; empty means truncated to 0 bytes
    const char* expected;
  };
  const Case cases[] = {
      {"junk", std::string(8192, 'j'), "file is not a database"},
      {"truncated", "", "文件为空"},
  };
  for (const Case& c : cases) {
    testing::WriteFile(Paths().ConfigDatabase(), c.content);
    InstallationReport report = CheckInstallation(Paths());
    EXPECT_FALSE(report.Healthy()) << c.name;
    ASSERT_FALSE(report.problems.empty()) << c.name;
    EXPECT_NE(report.problems.front().find(c.expected), std::string::npos) << c.name << ": " << report.problems.front();
    EXPECT_EQ(testing::ReadFile(Paths().ConfigDatabase()), c.content) << c.name << ": the check changed the file";
  }
  fs::remove(Paths().ExampleDatabase());
  EXPECT_NE(::testing::PrintToString(CheckInstallation(Paths()).problems).find("Example.db"), std::string::npos);
}

TEST_F(InstallationTest, AWrongVersionIsReported) {
  std::string error;
  bool already = false;
  ASSERT_TRUE(CreateInstallation(Paths(), error, already)) << error;
  {
    TAdoChannel channel;
    ASSERT_TRUE(channel.OpenDatabase(Paths().ConfigDatabase().string()));
    ASSERT_TRUE(channel.ExecSql("update Feature set MinorVersion = 1"));
  }
  InstallationReport report = CheckInstallation(Paths());
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_NE(report.problems[0].find(kVersionMismatchMessage), std::string::npos);
}

TEST_F(InstallationTest, AFailedPopulationLeavesNoInstallation) {
  std::string error;
  bool already = false;
  auto failing = [](const DataPaths&, std::string& why) {
    why = "kaputt";
    return false;
  };
  EXPECT_FALSE(CreateInstallation(Paths(), error, already, {}, failing));
  EXPECT_EQ(error, "kaputt");
  EXPECT_FALSE(IsInstalled(Paths()));
  EXPECT_FALSE(fs::exists(Paths().Database()));
}

}  // namespace
}  // namespace zidezo
