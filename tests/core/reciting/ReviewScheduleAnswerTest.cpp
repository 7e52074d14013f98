#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "ReviewScheduleFixture.h"
#include "learners/AnswerHistory.h"

namespace zidezo {
namespace {

using ::testing::Contains;
using ::testing::Not;
using ::testing::StartsWith;

class ReviewScheduleAnswerTest : public testing::ReviewScheduleFixture {
 protected:
  std::string History(int item, const char* table = "UserWordInfo", const char* column = "Word_ID") {
    auto row = Channel().Query(std::string("select History from ") + table + " where User_ID = ? and " + column + " = ?",
                               {Int(learner->Number()), Int(item)});
    if (!row || row->Eof()) return "(none)";
    return UnpackHistory(row->AsBlob("History"));
  }
  int ReciteCount(int item, const char* table = "UserWordInfo", const char* column = "Word_ID") {
    return Count(std::string("select ReciteCount from ") + table + " where User_ID = ? and " + column + " = ?",
                 {Int(learner->Number()), Int(item)});
  }
  // The in-memory reciting values, in the order of RecordText.
  static std::string MemoryText(const TWord& item) {
    return std::to_string(item.ability1) + "," + std::to_string(item.ability2) + "," + std::to_string(item.ability3) + "," +
           std::to_string(item.state1) + "," + std::to_string(item.state2) + "," + std::to_string(item.state3) + "," +
           std::to_string(item.round) + "," + std::to_string(item.speed);
  }
  std::string StoredText(int item) {
    const std::string all = RecordText(item);
    std::size_t cut = 0;
    for (int commas = 0; commas < 8; ++commas) cut = all.find(',', cut) + 1;
    return all.substr(0, cut - 1);
  }
  void SetMode(int mode, int review_answer = 2) {
    book->Config().Set(BookKey::kBookMode, mode);
    book->Config().Set(BookKey::kReviewAnswer, review_answer);
  }
};

TEST_F(ReviewScheduleAnswerTest, ANewItemIsDueAtOnceAndItsFirstAnswerStartsItsHistory) {
  auto item = Item(1);
  ASSERT_TRUE(Answer(*item, 1));
  // The shipped programs: score 1 after a first "remembered", the interval at least 24 hours.
  EXPECT_EQ(StoredText(1), "1,0,0,1,0,0,1,24");
  EXPECT_EQ(RecordValue(1, "UPDATE_DATE"), Now());
  EXPECT_EQ(RecordValue(1, "Real_Date"), Now());
  EXPECT_EQ(History(1), "," + BuildHistoryEntry({1, Now(), Now(), 1, 1, 1, 24}));
  EXPECT_EQ(History(1), ",1$45000.50000$45000.50000$1$1$1$24");
  EXPECT_EQ(ReciteCount(1), 1);
  EXPECT_THAT(Selected(), Not(Contains(1)));

  clock.Clock().AdvanceDays(1.1);
  ASSERT_TRUE(Answer(*item, 2));
  EXPECT_EQ(StoredText(1), "1,1,0,2,1,0,2,4");
  EXPECT_EQ(ReciteCount(1), 2);
  const auto entries = ParseHistory(History(1));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1], (THistoryEntry{2, Now(), Now(), 1, 2, 1, 4}));
}

TEST_F(ReviewScheduleAnswerTest, TheInMemoryHistoryShiftsLikeTheStoredOne) {
  auto item = Item(4);  // scores 2, 1, 7 and states 2, 0, 3
  for (int grade : {1, 2, 1}) {
    ASSERT_TRUE(Answer(*item, grade));
    EXPECT_EQ(MemoryText(*item), StoredText(4)) << "after grade " << grade;
    EXPECT_EQ(item->ability, item->ability1);
    EXPECT_EQ(item->updateDate, RecordValue(4, "UPDATE_DATE"));
    EXPECT_EQ(item->realDate, RecordValue(4, "Real_Date"));
    EXPECT_EQ(item->presentations, 0);
    EXPECT_EQ(item->grade, grade) << "the pending state stays";
    clock.Clock().AdvanceDays(3);
  }
  EXPECT_EQ(ReciteCount(4), 3);
}

TEST_F(ReviewScheduleAnswerTest, TheSpeedIsAtLeastOne) {
  for (const char* result : {"0", "-5"}) {
    book->SpeedProgram().SetText(std::string("function Korvana: Integer; begin Result := ") + result + "; end;");
    book->SpeedProgram().Compile();
    auto item = Item(4);
    ASSERT_TRUE(Answer(*item, 1));
    EXPECT_EQ(RecordValue(4, "Speed"), 1) << result;
    EXPECT_EQ(item->speed, 1);
  }
}

TEST_F(ReviewScheduleAnswerTest, WhatEachModeStores) {
  const std::string before = RecordText(5);
  const struct {
    const char* what;
    int mode, review;
    bool datesMove, recomputed;
  } cases[] = {
      {"全部", kAllMode, 2, false, false},
      {"复习, nothing", kReviewMode, 0, false, false},
      {"复习, dates only", kReviewMode, 1, true, false},
      {"复习, recompute", kReviewMode, 2, true, true},
      {"计划", kPlanMode, 2, true, true},
      {"特定", kSpecificMode, 2, true, true},
  };
  for (const auto& test : cases) {
    clock.Clock().Set(45000.5);
    ASSERT_TRUE(Channel().ExecSql("delete from Zidezo where User_ID = ? and BOOK_ID = ? and REFERENCE_ID = 5",
                                  {Int(learner->Number()), Int(book->Number())}));
    ASSERT_TRUE(Channel().ExecSql("delete from UserWordInfo where User_ID = ?", {Int(learner->Number())}));
    AddRecord(Rows()[4]);
    ASSERT_EQ(RecordText(5), before);
    SetMode(test.mode, test.review);
    auto item = Item(5);
    const std::string memory = MemoryText(*item);
    const double date = item->updateDate;
    clock.Clock().AdvanceHours(1);
    ASSERT_TRUE(Answer(*item, 1)) << test.what;
    EXPECT_EQ(RecordValue(5, "UPDATE_DATE") == Now(), test.datesMove) << test.what;
    EXPECT_EQ(item->updateDate == Now(), test.datesMove) << test.what;
    EXPECT_EQ(RecordValue(5, "Real_Date") == Now(), test.datesMove) << test.what;
    EXPECT_EQ(StoredText(5) != "1,2,0,0,0,0,3,12", test.recomputed) << test.what;
    EXPECT_EQ(MemoryText(*item) != memory, test.recomputed) << test.what;
    EXPECT_EQ(ReciteCount(5), test.recomputed ? 1 : -1) << test.what;
    if (!test.datesMove) {
      EXPECT_EQ(RecordText(5), before) << test.what;
      EXPECT_EQ(item->updateDate, date) << test.what;
    }
  }
}

TEST_F(ReviewScheduleAnswerTest, RememberedModeResetsTheItemSoThatItIsDueAgain) {
  SetMode(kRememberedMode);
  auto item = Item(3);
  ASSERT_TRUE(Answer(*item, 1));
  EXPECT_EQ(StoredText(3), "0,0,0,0,0,0,0,12");
  EXPECT_EQ(RecordValue(3, "UPDATE_DATE"), kNeverDate);
  EXPECT_EQ(RecordValue(3, "Real_Date"), kNeverDate);
  EXPECT_EQ(MemoryText(*item), "0,0,0,0,0,0,0,12");
  EXPECT_EQ(ReciteCount(3), -1) << "a reset writes no history";
  SetMode(kPlanMode);
  EXPECT_THAT(Selected(), Contains(3));
}

TEST_F(ReviewScheduleAnswerTest, TheDayOffsetMovesTheStoredDate) {
  book->Config().Set(BookKey::kUseDayOffset, 1);
  book->Config().Set(BookKey::kDayOffset, -2);
  auto item = Item(1);
  ASSERT_TRUE(Answer(*item, 1));
  EXPECT_EQ(RecordValue(1, "UPDATE_DATE"), Now() - 2);
  EXPECT_EQ(RecordValue(1, "Real_Date"), Now());
  EXPECT_EQ(ParseHistory(History(1)).front().due, Now() - 2);
  // Dates only in review mode move the same way.
  SetMode(kReviewMode, 1);
  auto other = Item(2);
  ASSERT_TRUE(Answer(*other, 1));
  EXPECT_EQ(RecordValue(2, "UPDATE_DATE"), Now() - 2);
}

TEST_F(ReviewScheduleAnswerTest, AFailedStepStoresNothingAndLeavesTheItemAsItWas) {
  auto item = Item(4);
  const std::string record = RecordText(4);
  const std::string memory = MemoryText(*item);
  const int learned = book->LearnedToday();
  auto unchanged = [&](const char* what) {
    EXPECT_EQ(RecordText(4), record) << what;
    EXPECT_EQ(MemoryText(*item), memory) << what;
    EXPECT_EQ(book->LearnedToday(), learned) << what;
  };
  std::string error;

  // A damaged stored history.
  ASSERT_TRUE(Channel().ExecSql(
      "insert into UserWordInfo (User_ID, Word_ID, CategoryContent, Relation_Count, ReciteCount, History) "
      "values (?, 4, '', 0, 3, X'0500000001020304')",
      {Int(learner->Number())}));
  EXPECT_FALSE(Answer(*item, 1, &error));
  EXPECT_THAT(error, StartsWith(kHistoryFailedMessage));
  unchanged("damaged history");
  EXPECT_EQ(ReciteCount(4), 3);
  ASSERT_TRUE(Channel().ExecSql("delete from UserWordInfo where User_ID = ?", {Int(learner->Number())}));

  // A score program that does not compile.
  book->AbilityProgram().SetText("function Korvana: Integer; begin Result := ; end;");
  EXPECT_FALSE(Answer(*item, 1, &error));
  EXPECT_FALSE(error.empty());
  unchanged("script error");
  EXPECT_EQ(ReciteCount(4), -1);

  // A record that is gone.
  book->AbilityProgram().SetText(book->AlgorithmText(book->Config().Key(BookKey::kAbilityAlgorithm)));
  ASSERT_TRUE(Channel().ExecSql("delete from Zidezo where User_ID = ? and BOOK_ID = ? and REFERENCE_ID = 4",
                                {Int(learner->Number()), Int(book->Number())}));
  EXPECT_FALSE(Answer(*item, 1, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(MemoryText(*item), memory);
  EXPECT_EQ(ReciteCount(4), -1);
}

TEST_F(ReviewScheduleAnswerTest, SentenceHistoriesHaveATableOfTheirOwn) {
  std::string error;
  TUserBook* sentences = learner->AddBook(kSentenceBook, "句子复习", false, 1, kSentenceDefaultsBook, learner->Number(), error);
  ASSERT_NE(sentences, nullptr) << error;
  ASSERT_TRUE(sentences->AddBookContents(kSentenceBook, sentences->Number(), 1001));
  ASSERT_TRUE(sentences->OpenForReciting(error)) << error;
  ASSERT_NE(SelectDueItems(*sentences, "Search1"), nullptr);
  auto page = learner->LoadItemPage("Search1", 1, true, *sentences, false, 0);
  ASSERT_EQ(page.size(), 1u);
  TWord& sentence = *page.front();
  // A word that happens to carry the same number keeps its own history.
  ASSERT_TRUE(Channel().ExecSql(
      "insert into UserWordInfo (User_ID, Word_ID, CategoryContent, Relation_Count, ReciteCount) values (?, ?, '', 0, 5)",
      {Int(learner->Number()), Int(sentence.number)}));
  sentence.grade = 1;
  ASSERT_TRUE(RecordAnswer(*sentences, sentence, error)) << error;
  EXPECT_EQ(ReciteCount(sentence.number), 5);
  EXPECT_EQ(ReciteCount(sentence.number, "UserSentenceInfo", "Sentence_ID"), 1);
  EXPECT_EQ(ParseHistory(History(sentence.number, "UserSentenceInfo", "Sentence_ID")).size(), 1u);
  EXPECT_EQ(sentence.round, 1);
}

TEST_F(ReviewScheduleAnswerTest, TodaysCountsRiseWithEveryRecordedAnswer) {
  const int learned = book->LearnedToday(), fresh = book->NewToday();
  auto new_item = Item(1);
  auto old_item = Item(4);
  ASSERT_TRUE(Answer(*new_item, 1));
  ASSERT_TRUE(Answer(*old_item, 1));
  EXPECT_EQ(book->LearnedToday(), learned + 2);
  EXPECT_EQ(book->NewToday(), fresh + 1);
  EXPECT_EQ(book->TodayCountsText(), std::to_string(learned + 2) + "(" + std::to_string(fresh + 1) + ")W");
  // Counting from the records gives the same.
  const std::string counted = book->TodayCountsText();
  book->CountToday();
  EXPECT_EQ(book->TodayCountsText(), counted);
}

TEST_F(ReviewScheduleAnswerTest, PreviewsChangeNothing) {
  TReviewSchedule schedule;
  auto item = Item(1);
  const std::string record = RecordText(1);
  const std::string memory = MemoryText(*item);
  EXPECT_EQ(schedule.PreviewScore(*book, *item, 1), 1);
  EXPECT_EQ(schedule.PreviewScore(*book, *item, 11), book->Config().Key(BookKey::kAbilityLimit));
  EXPECT_EQ(schedule.PreviewScore(*book, *item, 2), 1);
  EXPECT_EQ(RecordText(1), record);
  EXPECT_EQ(MemoryText(*item), memory);
  EXPECT_EQ(ReciteCount(1), -1);
}

TEST_F(ReviewScheduleAnswerTest, APreviewRunsOnAProgramOfItsOwn) {
  // A score program that counts its runs in a global variable.
  ASSERT_TRUE(Channel().ExecSql(
      "insert into Algorithm (ID, User_ID, AlgorithmType, Title, Content, UseShare) values (901, ?, 1, '计数', ?, 0)",
      {Int(learner->Number()),
       Text("var Calls: Integer;\r\nfunction Korvana: Integer;\r\nbegin\r\n  Calls := Calls + 1;\r\n  Result := Calls;\r\nend;")}));
  book->Config().Set(BookKey::kAbilityAlgorithm, 901);
  book->AbilityProgram().SetText(book->AlgorithmText(901));
  TReviewSchedule schedule;
  auto item = Item(1);
  for (int expected = 1; expected <= 3; ++expected) EXPECT_EQ(schedule.PreviewScore(*book, *item, 1), expected);
  ASSERT_TRUE(Answer(*item, 1));
  EXPECT_EQ(RecordValue(1, "ABILITY"), 1) << "the book's own program ran once";
  EXPECT_EQ(schedule.PreviewScore(*book, *item, 1), 4);

  // A changed algorithm text is compiled afresh; a broken one gives an error, not a score.
  ASSERT_TRUE(Channel().ExecSql("update Algorithm set Content = 'function Korvana: Integer; begin Result := ; end;' where ID = 901"));
  std::string error;
  EXPECT_EQ(schedule.PreviewScore(*book, *item, 1, &error), std::nullopt);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace zidezo
