#include <gtest/gtest.h>

#include "InstalledFixture.h"
#include "learners/UserBook.h"
#include "learners/Word.h"

namespace zidezo {
namespace {

class UserBookTest : public testing::InstalledFixture {
 protected:
  void SetUp() override {
    InstalledFixture::SetUp();
    user = learner;
    std::string error;
    book = user->AddBook(kWordBook, "测试", false, 1, kWordDefaultsBook, user->Number(), error);
    ASSERT_NE(book, nullptr) << error;
    ASSERT_TRUE(book->AddBookContents(kWordBook, book->Number(), 1));
  }
  int Records(int book_number) {
    return Count("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ?", {Int(user->Number()), Int(book_number)});
  }
  TUser* user = nullptr;
  TUserBook* book = nullptr;
};

TEST_F(UserBookTest, AFilledBookCarriesTheInitialValuesAndRandomKeys) {
  const SqlParams me{Int(user->Number()), Int(book->Number())};
  EXPECT_EQ(Records(book->Number()), 181);
  EXPECT_EQ(Count("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ? and WORD_ROUND = 0 and Speed = 12 and "
                  "ABILITY = 0 and State = 0 and ABILITY3 = 0 and UPDATE_DATE = 40544 and Real_Date = 40544",
                  me),
            181);
  EXPECT_GT(Count("select count(distinct RANDOM_NUM) from Zidezo where User_ID = ? and BOOK_ID = ?", me), 150);
  EXPECT_EQ(Count("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ? and RANDOM_NUM not between 0 and 99999", me), 0);
  EXPECT_TRUE(book->ContainsItem(1));
  auto word = book->LoadItem(1);
  ASSERT_NE(word, nullptr);
  EXPECT_EQ(word->name, "the");
  EXPECT_EQ(book->LoadItem(99999), nullptr);
  EXPECT_EQ(user->WordBooks().back().get(), book);
}

TEST_F(UserBookTest, MergingKeepsTheTargetsRecordsOfSharedItemsAndAddsTheRest) {
  std::string error;
  TUserBook* target = user->AddBook(kWordBook, "合并", false, 1, kWordDefaultsBook, user->Number(), error);
  ASSERT_NE(target, nullptr);
  // The target holds the first half of the source's words, with progress of its own.
  ASSERT_TRUE(center->Channel().ExecSql(
      "insert into Zidezo (User_ID, REFERENCE_ID, BOOK_ID, BOOK_INDEX, WORD_NAME, Word_Index, ABILITY, Speed, WORD_ROUND) "
      "select User_ID, REFERENCE_ID, ?, 1, WORD_NAME, Word_Index, 7, 12, 3 from Zidezo where User_ID = ? and BOOK_ID = ? "
      "and Word_Index <= 90",
      {Int(target->Number()), Int(user->Number()), Int(book->Number())}));
  ASSERT_TRUE(user->MergeBooks(target->Number(), book->Number()));
  EXPECT_EQ(Records(target->Number()), 181);
  EXPECT_EQ(Records(book->Number()), 181);
  EXPECT_EQ(Count("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ? and ABILITY = 7",
                  {Int(user->Number()), Int(target->Number())}),
            90);
  EXPECT_EQ(Records(kMergeScratchBook), 0);
  EXPECT_EQ(Count("select count(*) from (select REFERENCE_ID from Zidezo where User_ID = ? and BOOK_ID = ? group by "
                  "REFERENCE_ID having count(*) > 1)",
                  {Int(user->Number()), Int(target->Number())}),
            0);
}

TEST_F(UserBookTest, NotingWordsAndSentences) {
  const int note = 1;
  EXPECT_FALSE(user->AddWordToNoteBook(note, 0));
  EXPECT_FALSE(user->AddWordToNoteBook(note, 999999));
  EXPECT_TRUE(user->AddWordToNoteBook(note, 5));
  EXPECT_TRUE(user->AddWordToNoteBook(note, 6));
  ASSERT_TRUE(center->Channel().ExecSql("update Zidezo set ABILITY = 9 where User_ID = ? and BOOK_ID = 1 and REFERENCE_ID = 5",
                                        {Int(user->Number())}));
  EXPECT_TRUE(user->AddWordToNoteBook(note, 5));  // again: moves to the front, keeps its progress
  EXPECT_EQ(Records(note), 2);
  auto first = center->Channel().Query("select REFERENCE_ID, ABILITY from Zidezo where User_ID = ? and BOOK_ID = 1 order by Word_Index",
                                       {Int(user->Number())});
  EXPECT_EQ(first->AsInt("REFERENCE_ID"), 5);
  EXPECT_EQ(first->AsInt("ABILITY"), 9);

  struct Case {
    const char* text;
    const char* sentence;
    const char* explanation;
  };
  const Case cases[] = {{"3. I have 10. apples.\r\n我有苹果。", "I have 10. apples.", "我有苹果。"},
                        {"20.Go home.", "Go home.", ""},
                        {"He was born in 1990.", "He was born in 1990.", ""}};
  for (const Case& c : cases) {
    ASSERT_TRUE(user->AddSentenceToNoteBook(nullptr, c.text)) << c.text;
    auto row = center->Channel().Query("select Sentence_Content, Sentence_Explain from TotalSentences order by Sentence_ID desc");
    EXPECT_EQ(row->AsText("Sentence_Content"), c.sentence);
    EXPECT_EQ(row->AsText("Sentence_Explain"), c.explanation);
  }
  EXPECT_EQ(Records(3), 3);
}

TEST_F(UserBookTest, RemovingABookRepointsTheBooksThatNamedIt) {
  std::string error;
  TUserBook* sentences = user->AddBook(kSentenceBook, "句子", false, 1, kSentenceDefaultsBook, user->Number(), error);
  ASSERT_NE(sentences, nullptr);
  ASSERT_TRUE(user->SetRelationBook(book->Number(), sentences->Number()));
  ASSERT_TRUE(user->RemoveBook(sentences));
  EXPECT_EQ(book->RelationBook(), 3);
  EXPECT_EQ(Count("select RelationBook_ID from USERBOOKS where USER_ID = ? and BOOK_ID = ?", {Int(user->Number()), Int(book->Number())}), 3);
  const int number = book->Number();
  ASSERT_TRUE(user->RemoveBook(book));
  EXPECT_EQ(Records(number), 0);
  EXPECT_EQ(Count("select count(*) from UserBookConfig where User_ID = ? and USERBOOK_ID = ?", {Int(user->Number()), Int(number)}), 0);
  EXPECT_EQ(user->FindBook(number), nullptr);
}

TEST_F(UserBookTest, TheDayOffsetShrinksByTheDaysBeyondTheFirstBetweenActivations) {
  struct Case {
    int gap_days;
    int offset_after;
  };
  for (const Case& c : {Case{1, 5}, Case{5, 1}, Case{0, 5}}) {
    ASSERT_TRUE(book->Config().SetKey(user->Number(), book->Number(), 5, BookKey::kDayOffset));
    ASSERT_TRUE(book->Config().SetKey(user->Number(), book->Number(), 45000 - c.gap_days, BookKey::kLastActivationDay));
    ASSERT_TRUE(book->Config().SetKey(user->Number(), book->Number(), 99, BookKey::kStudySecondsToday));
    TUserBook fresh(*user, center->Channel());
    fresh.SetNumber(book->Number());
    ASSERT_TRUE(fresh.Config().Load(user->Number(), book->Number()));
    std::string error;
    ASSERT_TRUE(fresh.OpenForReciting(error)) << error;
    EXPECT_EQ(fresh.Config().Key(BookKey::kDayOffset), c.offset_after) << c.gap_days;
    EXPECT_EQ(fresh.Config().Key(BookKey::kStudySecondsToday), c.gap_days == 0 ? 99 : 0) << c.gap_days;
    EXPECT_TRUE(fresh.AbilityProgram().Compiled());
    EXPECT_TRUE(fresh.SpeedProgram().Compiled());
  }
}

TEST_F(UserBookTest, StatisticsAndTodaysCounts) {
  const SqlParams me{Int(user->Number()), Int(book->Number())};
  ASSERT_TRUE(center->Channel().ExecSql(
      "update Zidezo set ABILITY = 9, WORD_ROUND = 1, Real_Date = 45000.25 where User_ID = ? and BOOK_ID = ? and Word_Index <= 2", me));
  ASSERT_TRUE(center->Channel().ExecSql(
      "update Zidezo set ABILITY = 3, WORD_ROUND = 4, Real_Date = 45000.3 where User_ID = ? and BOOK_ID = ? and Word_Index = 3", me));
  const TBookStatistics statistics = book->Statistics();
  EXPECT_EQ(statistics.total, 181);
  EXPECT_EQ(statistics.untouched, 178);
  EXPECT_EQ(statistics.learned, 3);
  EXPECT_EQ(statistics.remembered, statistics.limit <= 9 ? 2 : 0);
  EXPECT_DOUBLE_EQ(statistics.mean_ability_learned, 7.0);
  EXPECT_EQ(statistics.most_rounds, 4);
  EXPECT_EQ(statistics.most_rounds_word, "an");
  book->CountToday();
  EXPECT_EQ(book->TodayCountsText(), "3(2)W");
}

TEST_F(UserBookTest, InitialisationIsAllOrNothing) {
  const SqlParams me{Int(user->Number()), Int(book->Number())};
  ASSERT_TRUE(center->Channel().ExecSql("update Zidezo set WORD_ROUND = 5, ABILITY = 4 where User_ID = ? and BOOK_ID = ?", me));
  TInitialUserBook options;
  options.reset_rounds = true;
  options.set_ability = true;
  options.ability = 2;
  options.no_recording = true;
  options.no_recording_ability = 1;
  ASSERT_TRUE(book->Initialise(options, (paths.Wav()).string(), paths.Picture().string()));
  EXPECT_EQ(Count("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ? and WORD_ROUND = 0 and ABILITY = 1", me), 181);
  // A failing step rolls back the steps before it.
  ASSERT_TRUE(center->Channel().ExecSql("update Zidezo set WORD_ROUND = 5 where User_ID = ? and BOOK_ID = ?", me));
  ASSERT_TRUE(center->Channel().ExecSql("drop table UserWordInfo"));
  TInitialUserBook failing;
  failing.reset_rounds = true;
  failing.clear_histories = true;
  EXPECT_FALSE(book->Initialise(failing, "", ""));
  EXPECT_EQ(Count("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ? and WORD_ROUND = 5", me), 181);
}

TEST_F(UserBookTest, PagesOfANamedQuery) {
  ASSERT_NE(center->Channel().OpenNamedQuery("Page", std::string(kWordItemSelect) + " order by recite.Word_Index",
                                              {Int(user->Number()), Int(book->Number())}),
            nullptr);
  auto page = user->LoadItemPage("Page", 50, true, *book, true, 3);
  ASSERT_EQ(page.size(), 31u);
  EXPECT_EQ(page[0]->book, book);
  EXPECT_TRUE(page[0]->answered);
  EXPECT_EQ(user->LoadItemPage("Page", 2147483647, true, *book, false, 0).size(), 181u);
  EXPECT_TRUE(user->LoadItemPage("Page", 50, true, *book, false, 4).empty());
  EXPECT_TRUE(user->LoadItemPage("NoSuchQuery", 50, true, *book, false, 0).empty());
}

TEST_F(UserBookTest, ARecordOnlySelectionGetsItsTextsPageByPageAndKeepsItsRecords) {
  const SqlParams me{Int(user->Number()), Int(book->Number())};
  ASSERT_NE(center->Channel().OpenNamedQuery("Records", std::string(kWordRecordSelect) + " order by recite.Word_Index desc", me),
            nullptr);
  ASSERT_TRUE(center->Channel().ExecSql("update Zidezo set ABILITY = 5 where User_ID = ? and BOOK_ID = ?", me));
  auto full = user->LoadItemPage("Page", 0, true, *book, false, 0);
  EXPECT_TRUE(full.empty());
  auto page = user->LoadItemPage("Records", 50, true, *book, false, 0);
  ASSERT_EQ(page.size(), 50u);
  auto last = book->LoadItem(page[0]->number);
  EXPECT_EQ(page[0]->name, last->name);
  EXPECT_EQ(page[0]->translation, last->translation);
  EXPECT_FALSE(page[0]->translation.empty());
  EXPECT_EQ(page[0]->ability, 0) << "the record as the selection took it";
  EXPECT_GT(page[0]->number, page[1]->number);
}

TEST_F(UserBookTest, GradesCaptionsAndHelpBook) {
  EXPECT_EQ(book->DefaultGrade(), 11);
  EXPECT_EQ(book->GradeValue(11), book->Config().Key(BookKey::kAbilityLimit));
  EXPECT_EQ(book->GradeCaption(11), "牢记");
  ASSERT_TRUE(book->SetGradeCaption(22, "记住了"));
  EXPECT_EQ(book->GradeCaption(0), "记住了");
  ASSERT_TRUE(book->SetBookMode(0x80 | 2));
  EXPECT_EQ(book->BookMode(), 2);
  auto help = user->LoadHelpBook();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->Deletable(), 2);
  ASSERT_TRUE(center->Channel().ExecSql("delete from USERBOOKS where USER_ID = ? and BOOK_ID = 4", {Int(user->Number())}));
  EXPECT_EQ(user->LoadHelpBook(), nullptr);
}

}  // namespace
}  // namespace zidezo
