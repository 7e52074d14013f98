#include <gtest/gtest.h>

#include <iconv.h>

#include "InstalledFixture.h"
#include "learners/Library.h"

namespace zidezo {
namespace {

class LibraryTest : public testing::InstalledFixture {
 protected:
  // Imports the way zidezo-admin import-words does: one transaction.
  bool Import(const std::string& content, const std::string& name, TImportCounts& counts, std::string& error) {
    testing::WriteFile(folder.File("list.txt"), content);
    TLibraryWriter writer(center->Channel(), nullptr);
    try {
      const auto words = ReadWordList(folder.File("list.txt"));
      return center->Channel().InTransaction([&] {
        counts = writer.AddWordBook({writer.NextBookNumber(1), 1, "导入", name}, words);
        return true;
      });
    } catch (const std::exception& failure) {
      error = failure.what();
      return false;
    }
  }
};

TEST_F(LibraryTest, TheShippedLibraryIsCompleteAndTheInstallationChecksHealthy) {
  const auto books = LibraryBooks(center->Channel());
  ASSERT_GE(books.size(), 3u);
  EXPECT_GE(Count("select count(distinct REFERENCE_ID) from Words"), 300);
  EXPECT_EQ(Count("select count(*) from TotalWords where WORD_SYMBOL = '' or WORD_TRANS = '' or WORD_EXAMPLE = ''"), 0);
  EXPECT_GE(Count("select count(*) from Sentences"), 50);
  EXPECT_GE(Count("select count(*) from Irregular"), 100);
  EXPECT_EQ(Count("select count(*) from Algorithm where User_ID = 2"), 2);
  const InstallationReport report = CheckInstallationContent(paths);
  EXPECT_TRUE(report.Healthy()) << ::testing::PrintToString(report.problems);
  ASSERT_TRUE(center->Channel().ExecSql("delete from TotalWords where WORD_ID = 3"));
  EXPECT_FALSE(CheckInstallationContent(paths).Healthy());
}

TEST_F(LibraryTest, ImportAddsNewWordsReusesKnownOnesInFileOrder) {
  TImportCounts counts;
  std::string error;
  ASSERT_TRUE(Import("zebra\tˈzebrə\tn. 斑马\nThe\tðə\tart. 这\r\nquokka\tˈkwɒkə\tn. 短尾矮袋鼠\tA quokka smiles.\t短尾矮袋鼠在笑。\n",
                     "动物", counts, error))
      << error;
  EXPECT_EQ(counts.added, 2);
  EXPECT_EQ(counts.reused, 1);
  EXPECT_EQ(Count("select REFERENCE_ID from Words where BOOK_ID = ? and Word_Index = 2", {Int(counts.book)}), 1);
  EXPECT_EQ(center->Channel().QueryText("select BOOK_NAME from LibraryBooks where BOOK_ID = ?", {Int(counts.book)}), "动物");
}

TEST_F(LibraryTest, AMalformedLineStopsTheImportAndChangesNothing) {
  std::string content;
  for (int i = 1; i <= 10; ++i) content += "word" + std::to_string(i) + (i == 7 ? "\tno translation\n" : "\tw\tn. 词\n");
  const int words_before = Count("select count(*) from TotalWords");
  TImportCounts counts;
  std::string error;
  EXPECT_FALSE(Import(content, "坏", counts, error));
  EXPECT_NE(error.find("第7行"), std::string::npos) << error;
  EXPECT_EQ(Count("select count(*) from TotalWords"), words_before);
  EXPECT_EQ(Count("select count(*) from LibraryBooks where BOOK_NAME = ?", {Text("坏")}), 0);
}

TEST_F(LibraryTest, AGbkListIsReadAsGbk) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  // The IPA letters have no GBK form; a GBK list spells them in ASCII.
  std::string ascii = "panda\tpanda\tn. 熊猫\n";
  std::string gbk(ascii.size() * 2, '\0');
  char* in = ascii.data();
  std::size_t in_left = ascii.size(), out_left = gbk.size();
  char* out = gbk.data();
  ASSERT_NE(iconv(converter, &in, &in_left, &out, &out_left), static_cast<std::size_t>(-1));
  iconv_close(converter);
  gbk.resize(gbk.size() - out_left);
  TImportCounts counts;
  std::string error;
  ASSERT_TRUE(Import(gbk, "GBK", counts, error)) << error;
  EXPECT_EQ(center->Channel().QueryText("select WORD_TRANS from TotalWords where WORD_NAME = 'panda'"), "n. 熊猫");
}

}  // namespace
}  // namespace zidezo
