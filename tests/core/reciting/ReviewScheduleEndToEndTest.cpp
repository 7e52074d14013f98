#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "ReviewScheduleFixture.h"

namespace zidezo {
namespace {

using ::testing::ElementsAreArray;

class ReviewScheduleEndToEndTest : public testing::ReviewScheduleFixture {
 protected:
  std::vector<int> PlanOf(TUserBook& from) { return Selected(from); }
  static bool Holds(const std::vector<int>& items, int item) {
    return std::find(items.begin(), items.end(), item) != items.end();
  }
};

// The ready learner's book with the shipped algorithms: answers take items out of the plan, and
// they come back when their intervals have passed, in the book's order.
TEST_F(ReviewScheduleEndToEndTest, AnswersLeaveThePlanAndComeBackWhenDue) {
  TUserBook& library = LibraryBook();
  std::string error;
  ASSERT_TRUE(library.OpenForReciting(error)) << error;
  const std::vector<int> all = PlanOf(library);
  ASSERT_EQ(all.size(), 181u) << "a fresh book is all due";
  ASSERT_EQ(CountSelection(library, kAllMode), 181);

  auto page = learner->LoadItemPage("Search1", 50, true, library, false, 0);
  ASSERT_EQ(page.size(), 50u);
  for (std::size_t i = 0; i < page.size(); ++i) {
    page[i]->grade = i < 25 ? 1 : 2;  // the first half remembered, the second half forgotten
    ASSERT_TRUE(RecordAnswer(library, *page[i], error)) << error;
  }
  EXPECT_EQ(library.TodayCountsText(), "50(50)W");
  const std::vector<int> untouched(all.begin() + 50, all.end());
  const std::vector<int> forgotten(all.begin() + 25, all.begin() + 50);
  std::vector<int> expected = untouched;
  EXPECT_THAT(PlanOf(library), ElementsAreArray(expected));

  // Forgotten: score 1 at 4 hours a point, back after 4 × 0.04167 days (4.0008 hours).
  const double answered = Now();
  clock.Clock().Set(answered + 4.0 / 24);
  EXPECT_THAT(PlanOf(library), ElementsAreArray(expected));
  clock.Clock().Set(answered + 4.01 / 24);
  expected = forgotten;
  expected.insert(expected.end(), untouched.begin(), untouched.end());
  EXPECT_THAT(PlanOf(library), ElementsAreArray(expected));

  // Remembered: score 1 at 24 hours a point, back after 24.002 hours, ahead of the others.
  clock.Clock().Set(answered + 24.0 / 24);
  EXPECT_THAT(PlanOf(library), ElementsAreArray(expected));
  clock.Clock().Set(answered + 24.01 / 24);
  EXPECT_THAT(PlanOf(library), ElementsAreArray(all));
}

// The shipped algorithms, answering as soon as an item is due on an hourly clock: the waits in
// hours. An interval is score × rate × 1.00008 hours, so each wait is one clock hour past it.
// Remembered each time: 24 h; then 25 × 2.6 / 2 = 32.5, which rounds to the even 32 (64 h);
// then 65 × 2.6 / 3 → 56 (168 h); 169 × 2.6 / 4 → 110 (440 h); 441 × 2.6 / 5 → 229 (1145 h).
// Forgotten once: 4 h, then growth 2.6 − 0.4 while the lapse is among the last three states.
TEST_F(ReviewScheduleEndToEndTest, TheShippedAlgorithmsKeepTheirIntervals) {
  const struct {
    int item;
    std::vector<int> grades;
    std::vector<int> hours;  // waited before each answer after the first
  } cases[] = {
      {1, {1, 1, 1, 1, 1, 1}, {25, 65, 169, 441, 1146}},
      {6, {1, 1, 2, 1, 1, 1, 1}, {25, 65, 5, 25, 55, 121}},
  };
  for (const auto& test : cases) {
    clock.Clock().Set(45000.5);
    auto item = Item(test.item);
    ASSERT_TRUE(Holds(Selected(), test.item));
    std::vector<int> waits;
    for (int grade : test.grades) {
      if (item->round > 0) {
        int hours = 0;
        do {
          clock.Clock().AdvanceHours(1);
          ++hours;
        } while (!Holds(Selected(), test.item) && hours < 24 * 400);
        waits.push_back(hours);
      }
      ASSERT_TRUE(Answer(*item, grade)) << test.item;
      EXPECT_FALSE(Holds(Selected(), test.item)) << "an answered item leaves the plan";
    }
    EXPECT_THAT(waits, ElementsAreArray(test.hours)) << "item " << test.item;
  }
}

}  // namespace
}  // namespace zidezo
