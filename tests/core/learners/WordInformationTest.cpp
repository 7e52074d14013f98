#include <gtest/gtest.h>

#include "TestSupport.h"
#include "crypto/Cipher.h"
#include "data/AdoChannel.h"
#include "data/Catalogue.h"
#include "learners/AnswerHistory.h"
#include "learners/PageWords.h"
#include "learners/Word.h"
#include "learners/WordInfo.h"
#include "learners/WordLookup.h"

namespace zidezo {
namespace {

using testing::TemporaryFolder;

class WordFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(channel.CreateDatabase(folder.File("Config.db")));
    ASSERT_TRUE(CreateTables(channel, *FindDatabase("Config")));
    for (auto [id, name] : {std::pair{1, "aaa"}, {2, "apple"}, {3, "stop"}, {4, "it's"}}) {
      ASSERT_TRUE(channel.ExecSql("insert into TotalWords(WORD_ID, WORD_NAME, WORD_TRANS) values(?, ?, ?)",
                                  {Int(id), Text(name), Text("译")}));
    }
  }
  int Count(const std::string& sql) { return static_cast<int>(channel.QueryInteger(sql).value_or(-1)); }

  TemporaryFolder folder;
  TAdoChannel channel;
};

TEST(SearchConditionTest, TermsOperatorsAndBrackets) {
  struct Case {
    const char* expression;
    const char* sql;
    std::vector<std::string> patterns;
  } cases[] = {
      {"apple", " TotalWords.WORD_NAME like ?", {"%apple%"}},
      {"#apple", " TotalWords.WORD_NAME like ?", {"apple"}},
      {"ap*e", " TotalWords.WORD_NAME like ?", {"%ap%e%"}},
      {"苹果", " TotalWords.WORD_TRANS like ?", {"%苹果%"}},
      {"", " TotalWords.WORD_NAME like ?", {"%"}},
      {"# & pear", " TotalWords.WORD_NAME like ?", {"%pear%"}},
      {"apple & (pear | plum)",
       " TotalWords.WORD_NAME like ? and ( TotalWords.WORD_NAME like ? or  TotalWords.WORD_NAME like ?)",
       {"%apple%", "%pear%", "%plum%"}},
  };
  for (const auto& c : cases) {
    const auto condition = SearchCondition(c.expression, true);
    EXPECT_EQ(condition.sql, c.sql) << c.expression;
    ASSERT_EQ(condition.params.size(), c.patterns.size()) << c.expression;
    for (std::size_t i = 0; i < c.patterns.size(); ++i) EXPECT_EQ(std::get<std::string>(condition.params[i]), c.patterns[i]);
  }
}

TEST_F(WordFixture, FindWordsHasNoPlaceholderWordAndKeepsQuotes) {
  TWordLookup lookup(channel, DataPaths{folder.Path()});
  auto words = lookup.FindWords(5, {"apple", "it's"}, "apple");
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0]->name, "apple");
  EXPECT_EQ(words[1]->name, "it's");
  auto none = lookup.FindWords(5, {"zzz"}, "zzz typed");
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(none[0]->number, 0);
  EXPECT_EQ(none[0]->name, "zzz typed");
  EXPECT_EQ(lookup.NewSharedCategory("名词"), 100001);
  EXPECT_TRUE(lookup.Examples(2).empty());
  EXPECT_FALSE(lookup.HasDictionaryNote(2));
}

TEST_F(WordFixture, WordFormsUseIrregularAlternatives) {
  ASSERT_TRUE(channel.ExecSql("insert into Irregular values('get', 'got', 'got/gotten')"));
  EXPECT_EQ(WordForms(channel, "stopped"), (std::vector<std::string>{"stopped", "stopp", "stoppe", "stop"}));
  EXPECT_EQ(WordForms(channel, "gotten"), (std::vector<std::string>{"gotten", "get"}));
  EXPECT_EQ(WordForms(channel, "boxes"), (std::vector<std::string>{"boxes", "boxe", "box"}));
  EXPECT_EQ(WordForms(channel, "running fast"),
            (std::vector<std::string>{"running fast", "runn fast", "runne fast", "run fast"}));
  EXPECT_TRUE(WordForms(channel, "   ").empty());
}

TEST_F(WordFixture, RelationsCountPerUserAndStoreAWordOnce) {
  TWordInformation mine(channel, 5), other(channel, 6);
  ASSERT_TRUE(mine.NewRelation(1, "水果"));
  ASSERT_TRUE(other.NewRelation(1, "别人的"));
  ASSERT_TRUE(mine.AddWordToRelation(2, 1));
  ASSERT_TRUE(mine.AddWordToRelation(2, 1));
  ASSERT_TRUE(other.AddWordToRelation(3, 1));
  ASSERT_TRUE(mine.AddWordToRelation(3, 1));
  EXPECT_EQ(Count("select count(*) from RelationWord where USER_ID = 5"), 2);
  EXPECT_EQ(Count("select Relation_Count from UserWordInfo where User_ID = 5 and Word_ID = 2"), 1);
  ASSERT_TRUE(other.DeleteRelation(1));
  EXPECT_EQ(Count("select Relation_Count from UserWordInfo where User_ID = 5 and Word_ID = 3"), 1);
  ASSERT_TRUE(mine.DeleteRelation(1));
  EXPECT_EQ(Count("select count(*) from UserWordInfo"), 0);
}

TEST_F(WordFixture, CategoriesByHardnessReadsOnlyOwnRatings) {
  TWordInformation mine(channel, 5), other(channel, 6);
  const int own = mine.NewCategory("难词");
  ASSERT_TRUE(other.SetCategoryHardness(own, 3));
  EXPECT_EQ(mine.CategoriesByHardness(1), std::vector<int>{own});  // unrated for this user
  ASSERT_TRUE(mine.SetCategoryHardness(own, 3));
  EXPECT_TRUE(mine.CategoriesByHardness(1).empty());
  EXPECT_EQ(mine.CategoriesByHardness(1 << 3), std::vector<int>{own});
}

TEST_F(WordFixture, DeletingACategoryKeepsTheOtherNumbers) {
  TWordInformation info(channel, 5);
  ASSERT_TRUE(channel.ExecSql("insert into UserWordInfo values(5, 2, 0, ',3,7,9,', 0, null)"));
  ASSERT_TRUE(channel.ExecSql("insert into UserWordInfo values(5, 3, 0, ',7,', 0, null)"));
  ASSERT_TRUE(info.DeleteCategory(7));
  EXPECT_EQ(channel.QueryText("select CategoryContent from UserWordInfo where Word_ID = 2").value_or(""), ",3,9,");
  EXPECT_EQ(Count("select count(*) from UserWordInfo where Word_ID = 3"), 0);
}

TEST_F(WordFixture, PageCountsAndSearchQueries) {
  TWordInformation info(channel, 5);
  ASSERT_TRUE(info.SearchWords("Find", "ap*", -1, true));
  EXPECT_EQ(info.NamedQueryPageCount("Find", 0), 0);
  EXPECT_EQ(info.NamedQueryPageCount("Find", 50), 1);
  auto word = info.FindWordByName("APPLE");
  ASSERT_NE(word, nullptr);
  EXPECT_EQ(word->number, 2);
  EXPECT_EQ(word->speed, 12);
  EXPECT_EQ(word->ownCategories, ",");
}

TEST_F(WordFixture, AnswerHistoryAppendsAndCounts) {
  const THistoryEntry first{1, 45001.25, 45000.5, 3, 2, 5, 12};
  std::string error;
  ASSERT_TRUE(RecordHistoryEntry(channel, THistoryOwner::Word, 5, 2, first, error)) << error;
  ASSERT_TRUE(RecordHistoryEntry(channel, THistoryOwner::Sentence, 5, 7, first, error)) << error;
  ASSERT_TRUE(RecordHistoryEntry(channel, THistoryOwner::Word, 5, 2, first, error)) << error;
  auto row = channel.Query("select ReciteCount, History from UserWordInfo where User_ID = 5 and Word_ID = 2");
  EXPECT_EQ(row->AsInt("ReciteCount"), 2);
  const std::string text = UnpackHistory(row->AsBlob("History"));
  EXPECT_EQ(text, ",1$45001.25000$45000.50000$3$2$5$12,1$45001.25000$45000.50000$3$2$5$12");
  EXPECT_EQ(ParseHistory(text), (std::vector<THistoryEntry>{first, first}));
  EXPECT_THROW(ParseHistory(",1$2$x"), EHistoryError);
  ASSERT_TRUE(channel.ExecSql("update UserWordInfo set History = ?", {Blob(Bytes{1, 2, 3})}));
  EXPECT_FALSE(RecordHistoryEntry(channel, THistoryOwner::Word, 5, 2, first, error));
  EXPECT_EQ(Count("select ReciteCount from UserWordInfo where Word_ID = 2"), 2);
}

TEST_F(WordFixture, CipherMarksDecryptionAndPages) {
  const TCipherKeys keys = TCipherKeys::Defaults();
  ASSERT_TRUE(channel.ExecSql("update TotalWords set WORD_SYNONYMY = ?, WORD_ANTONYM = ? where WORD_ID = 2",
                              {Text(EncipherText("fruit", keys.wordSynonymy)), Text(EncipherText("stone", keys.wordAntonym))}));
  TWordInformation info(channel, 5);
  auto word = info.FindWordByName("apple");
  EXPECT_EQ(word->CipherMarks(), "ZB");
  EXPECT_EQ(word->DecryptedSynonyms(), "fruit");
  EXPECT_EQ(word->DecryptedAntonyms(), "stone");
  TPageWords page;
  EXPECT_TRUE(page.Complete());
  EXPECT_EQ(page.Get(-1), nullptr);
  page.Add(word.get());
  EXPECT_FALSE(page.Complete());
}

}  // namespace
}  // namespace zidezo
