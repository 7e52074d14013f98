#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ReviewScheduleFixture.h"
#include "learners/WordInfo.h"

namespace zidezo {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class ReviewScheduleSelectionTest : public testing::ReviewScheduleFixture {
 protected:
  void SetKeys(const std::vector<std::pair<int, int>>& keys) {
    for (const auto& [key, value] : keys) book->Config().Set(key, value);
  }
};

TEST_F(ReviewScheduleSelectionTest, EveryModeDrawsItsItems) {
  book->ChosenItems() = {5, 2};
  const struct {
    int mode;
    std::vector<int> items;
  } cases[] = {
      {kPlanMode, {1, 4, 6}},              // new items and the one whose interval has passed
      {kReviewMode, {2, 3, 1, 4, 5, 6}},   // the default review condition takes every item
      {kRememberedMode, {3}},
      {kAllMode, {2, 3, 1, 4, 5, 6}},
      {kSpecificMode, {2, 5}},
  };
  for (const auto& test : cases) {
    book->Config().Set(BookKey::kBookMode, test.mode);
    EXPECT_THAT(Selected(), ElementsAreArray(test.items)) << BookModeName(test.mode);
    EXPECT_EQ(CountSelection(*book, test.mode), static_cast<int>(test.items.size()));
  }
}

TEST_F(ReviewScheduleSelectionTest, EveryOrderEndsWithTheItemNumber) {
  book->Config().Set(BookKey::kBookMode, kAllMode);
  const struct {
    int order;
    std::vector<int> items;
  } cases[] = {
      {0, {2, 3, 1, 4, 5, 6}}, {1, {6, 5, 4, 1, 3, 2}},
      {2, {1, 2, 3, 4, 5, 6}},  // names compare without regard to case
      {3, {6, 5, 4, 3, 2, 1}},
      {4, {2, 5, 1, 4, 6, 3}},  // items 1 and 4 share frequency 5
      {5, {3, 6, 1, 4, 5, 2}},
      {6, {3, 2, 4, 5, 1, 6}},  // random keys; 4 and 5 share 30
      {7, {2, 3, 1, 4, 5, 6}}, {-1, {2, 3, 1, 4, 5, 6}},
  };
  for (const auto& test : cases) {
    book->Config().Set(BookKey::kItemOrder, test.order);
    EXPECT_THAT(Selected(), ElementsAreArray(test.items)) << "order " << test.order;
  }
}

TEST_F(ReviewScheduleSelectionTest, TheDueBoundaryIsExact) {
  // Remembered at 60: an item of score 5 and rate 12 is due 5 × 12 × 0.04167 days after its date.
  SetKeys({{BookKey::kAbilityLimit, 60}});
  ASSERT_TRUE(Channel().ExecSql("update Zidezo set ABILITY = 5, Speed = 12, UPDATE_DATE = ? where BOOK_ID = ? and REFERENCE_ID = 2",
                                {Real(Now()), Int(book->Number())}));
  ASSERT_TRUE(Channel().ExecSql("update Zidezo set ABILITY = 60, UPDATE_DATE = ? where BOOK_ID = ? and REFERENCE_ID = 4",
                                {Real(kNeverDate), Int(book->Number())}));
  const double start = Now();
  const struct {
    double hours;
    bool due;
  } cases[] = {{59, false}, {60, false}, {60.01, true}, {24 * 1000.0, true}};
  for (const auto& test : cases) {
    clock.Clock().Set(start + test.hours / 24);
    const auto items = Selected();
    EXPECT_EQ(std::count(items.begin(), items.end(), 2), test.due ? 1 : 0) << test.hours << " hours";
    EXPECT_EQ(std::count(items.begin(), items.end(), 4), 0) << "a remembered item is never due";
  }
}

TEST_F(ReviewScheduleSelectionTest, WithoutTheItemsRateTheBooksRateCounts) {
  SetKeys({{BookKey::kUseItemSpeed, 0}, {BookKey::kFixedPeriodHours, 6}});
  EXPECT_THAT(Selected(), ElementsAre(2, 1, 4, 6));
  SetKeys({{BookKey::kUseItemSpeed, 1}});
  EXPECT_THAT(Selected(), ElementsAre(1, 4, 6));
  SetKeys({{BookKey::kFixedBook, 1}});
  EXPECT_THAT(Selected(), ElementsAre(2, 3, 1, 4, 5, 6)) << "a locked book draws every item";
}

TEST_F(ReviewScheduleSelectionTest, TheDayOffsetShiftsTheClock) {
  SetKeys({{BookKey::kUseDayOffset, 1}, {BookKey::kDayOffset, -2}});
  EXPECT_THAT(Selected(), ElementsAre(1, 6));
  SetKeys({{BookKey::kDayOffset, 2}});
  EXPECT_THAT(Selected(), ElementsAre(2, 1, 4, 5, 6));
  SetKeys({{BookKey::kUseDayOffset, 0}});
  EXPECT_THAT(Selected(), ElementsAre(1, 4, 6)) << "the offset counts only when it is in use";
}

TEST_F(ReviewScheduleSelectionTest, TheReviewCondition) {
  book->Config().Set(BookKey::kBookMode, kReviewMode);
  const struct {
    const char* what;
    std::vector<std::pair<int, int>> keys;
    std::vector<int> items;
  } cases[] = {
      {"no state only", {{BookKey::kReviewGrades, 0x800}}, {1, 5, 6}},
      {"an empty state set", {{BookKey::kReviewGrades, 0}}, {}},
      {"state 1", {{BookKey::kReviewGrades, 0x1}}, {2}},
      {"state 11", {{BookKey::kReviewGrades, 0x400}}, {3}},
      {"state 2", {{BookKey::kReviewGrades, 0x2}}, {4}},
      {"mean of two states", {{BookKey::kReviewGrades, 0x2}, {BookKey::kReviewGradeAveraging, 1}}, {2}},
      {"rounds at least 3", {{BookKey::kRoundAtLeast, 1}, {BookKey::kRoundBound, 3}}, {3, 5}},
      {"rounds at most 1", {{BookKey::kRoundAtLeast, 0}, {BookKey::kRoundBound, 1}}, {1, 4, 6}},
      {"scores 2 to 3", {{BookKey::kReviewAbilityLow, 2}, {BookKey::kReviewAbilityHigh, 3}}, {2, 4}},
      {"score 2", {{BookKey::kReviewAbilityLow, 2}, {BookKey::kReviewAbilityHigh, 2}}, {4}},
      // (3 + 0) / 2, (2 + 1) / 2 and (1 + 2) / 2 are 1.5, which rounds to 2
      {"mean of two scores",
       {{BookKey::kReviewAbilityLow, 2}, {BookKey::kReviewAbilityHigh, 2}, {BookKey::kReviewAbilityAveraging, 1}},
       {2, 4, 5}},
      // (2 + 1 + 7) / 3 = 3.33 and (9 + 9 + 0) / 3 = 6
      {"mean of three scores",
       {{BookKey::kReviewAbilityLow, 3}, {BookKey::kReviewAbilityHigh, 6}, {BookKey::kReviewAbilityAveraging, 2}},
       {3, 4}},
      {"updated two days ago to today",
       {{BookKey::kReviewWindowOn, 1}, {BookKey::kReviewWindowStart, -2}, {BookKey::kReviewWindowEnd, -1}},
       {2, 4}},
      {"updated yesterday", {{BookKey::kReviewWindowOn, 1}, {BookKey::kReviewWindowStart, -1}, {BookKey::kReviewWindowEnd, -1}},
       {2}},
  };
  for (const auto& test : cases) {
    ASSERT_TRUE(book->Config().Load(learner->Number(), book->Number()));
    book->Config().Set(BookKey::kBookMode, kReviewMode);
    SetKeys(test.keys);
    EXPECT_THAT(Selected(), ElementsAreArray(test.items)) << test.what;
  }
}

TEST_F(ReviewScheduleSelectionTest, AnEmptySpecificListSelectsNothing) {
  book->Config().Set(BookKey::kBookMode, kSpecificMode);
  book->ChosenItems().clear();
  EXPECT_THAT(Selected(), IsEmpty());
  book->ChosenItems() = {6, 99999};
  EXPECT_THAT(Selected(), ElementsAre(6));
}

TEST_F(ReviewScheduleSelectionTest, TheLetterRange) {
  book->Config().Set(BookKey::kBookMode, kAllMode);
  SetKeys({{BookKey::kFirstLetter, 'B'}, {BookKey::kLastLetter, 'D'}});
  EXPECT_THAT(Selected(), ElementsAre(2, 3, 4));
  SetKeys({{BookKey::kFirstLetter, 'E'}, {BookKey::kLastLetter, 'E'}});
  EXPECT_THAT(Selected(), ElementsAre(5));
}

TEST_F(ReviewScheduleSelectionTest, TheCategoryFilterTakesThePositionInTheCategoryList) {
  const int user = learner->Number();
  ASSERT_TRUE(Channel().ExecSqlList({
      {"insert into Category (User_ID, Sequence, Class_Name) values (?, 7, '我的分类')", {Int(user)}},
      {"insert into Category (User_ID, Sequence, Class_Name) values (2, 100003, '共享分类')", {}},
      {"insert into UserWordInfo (User_ID, Word_ID, CategoryContent, Relation_Count, ReciteCount) values (?, 4, ',7,', 0, 0)",
       {Int(user)}},
      {"update TotalWords set WORD_CLASS = ',100003,' where WORD_ID = 5", {}},
  }));
  const auto categories = learner->WordInformation().ListCategoryNames();
  auto position = [&](int number) {
    for (std::size_t i = 0; i < categories.size(); ++i) {
      if (categories[i].number == number) return static_cast<int>(i) + 1;
    }
    return 0;
  };
  ASSERT_GT(position(7), 0);
  ASSERT_GT(position(100003), position(7)) << "own categories come first";
  book->Config().Set(BookKey::kBookMode, kAllMode);
  const struct {
    int position;
    std::vector<int> items;
  } cases[] = {{0, {2, 3, 1, 4, 5, 6}},
               {position(7), {4}},
               {position(100003), {5}},
               {static_cast<int>(categories.size()) + 1, {2, 3, 1, 4, 5, 6}}};
  for (const auto& test : cases) {
    book->Config().Set(BookKey::kCategoryFilter, test.position);
    EXPECT_THAT(Selected(), ElementsAreArray(test.items)) << "position " << test.position;
  }
}

TEST_F(ReviewScheduleSelectionTest, PagesComeFromTheSnapshotTakenWhenTheModeOpenedIt) {
  // The ready learner's first book: every one of its items is due.
  TUserBook& library = LibraryBook();
  std::string error;
  ASSERT_TRUE(library.OpenForReciting(error)) << error;
  TResultSet* selection = SelectDueItems(library, "Search1", &error);
  ASSERT_NE(selection, nullptr) << error;
  ASSERT_EQ(selection->RowCount(), 181) << library.Name() << " " << library.Number();
  auto first = learner->LoadItemPage("Search1", 50, true, library, false, 0);
  auto second = learner->LoadItemPage("Search1", 50, true, library, false, 1);
  ASSERT_EQ(first.size(), 50u);
  ASSERT_EQ(second.size(), 50u);
  for (auto& item : first) {
    item->grade = 1;
    ASSERT_TRUE(RecordAnswer(library, *item, error)) << error;
  }
  auto again = learner->LoadItemPage("Search1", 50, true, library, false, 1);
  ASSERT_EQ(again.size(), 50u);
  for (std::size_t i = 0; i < again.size(); ++i) EXPECT_EQ(again[i]->number, second[i]->number);
  EXPECT_EQ(Channel().FindNamedQuery("Search1")->RowCount(), 181);
  EXPECT_EQ(CountSelection(library, kPlanMode), 131) << "a new selection sees the answers";
}

TEST_F(ReviewScheduleSelectionTest, SentenceBooksSelectByTheSameRules) {
  std::string error;
  TUserBook* sentences = learner->AddBook(kSentenceBook, "句子复习", false, 1, kSentenceDefaultsBook, learner->Number(), error);
  ASSERT_NE(sentences, nullptr) << error;
  ASSERT_TRUE(sentences->AddBookContents(kSentenceBook, sentences->Number(), 1001));
  const int total = Count("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ?",
                          {Int(learner->Number()), Int(sentences->Number())});
  ASSERT_GT(total, 2);
  const SqlParams where{Int(learner->Number()), Int(sentences->Number())};
  ASSERT_TRUE(Channel().ExecSql(
      "update Zidezo set ABILITY = 3, UPDATE_DATE = ? where User_ID = ? and BOOK_ID = ? and REFERENCE_ID in "
      "(select REFERENCE_ID from Zidezo where User_ID = ? and BOOK_ID = ? order by Word_Index limit 2)",
      {Real(Now()), where[0], where[1], where[0], where[1]}));
  EXPECT_EQ(CountSelection(*sentences, kPlanMode), total - 2);
  EXPECT_EQ(CountSelection(*sentences, kAllMode), total);
  sentences->ChosenItems().clear();
  EXPECT_EQ(CountSelection(*sentences, kSpecificMode), 0) << "the specific list holds for sentences too";
  auto rows = Selected(*sentences);
  ASSERT_EQ(static_cast<int>(rows.size()), total - 2);
  auto item = Item(rows.front(), sentences);
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isSentence);
  EXPECT_FALSE(item->sentenceText.empty());
}

TEST_F(ReviewScheduleSelectionTest, ModeNames) {
  const char* names[] = {"计划", "复习", "牢记", "全部", "特定"};
  for (int mode = 0; mode < kBookModeCount; ++mode) EXPECT_EQ(BookModeName(mode), names[mode]);
  EXPECT_EQ(BookModeName(5), "");
}

}  // namespace
}  // namespace zidezo
