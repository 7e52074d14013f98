#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "script/AbilityProgram.h"

namespace zidezo {
namespace {

// One item's reciting record, answered through the shipped programs as the review schedule does.
struct Record {
  int ability = 0, ability2 = 0, ability3 = 0, state = 0, state2 = 0, state3 = 0, speed = 12, round = 0;
  double update_date = kNeverDate;
};

class ShippedAlgorithms : public ::testing::Test {
 protected:
  ShippedAlgorithms()
      : ability_(testing::ReadFile(testing::SourceDir() / "data/algorithms/ability.txt")),
        speed_(testing::ReadFile(testing::SourceDir() / "data/algorithms/speed.txt")) {
    ability_.Compile();
    speed_.Compile();
  }

  static constexpr int kRemembered = 100;  // value of state 11, the remembered standard

  void Answer(Record& r, int grade, double now) {
    const int value = grade == 11 ? kRemembered : 0;
    for (TAbilityProgram* p : {static_cast<TAbilityProgram*>(&ability_), static_cast<TAbilityProgram*>(&speed_)}) {
      p->SetCurrentTime(now);
      p->SetLastReciteTime(r.update_date);
      p->SetAbility1(r.ability);
      p->SetAbility2(r.ability2);
      p->SetAbility3(r.ability3);
      p->SetState(grade);
      p->SetState1(r.state);
      p->SetState2(r.state2);
      p->SetState3(r.state3);
      p->SetSpeed(r.speed);
      p->SetStateValue(value);
      p->SetThisRoundOccurTime(1);
    }
    ability_.SetOccurTotalTime(r.round + 1);
    ability_.Run();
    const int a = ability_.GetResult();
    speed_.SetOccurTotalTime(r.round + 1);
    speed_.SetAbility(a);
    speed_.Run();
    int s = speed_.GetResult();
    if (s <= 0) s = 1;
    r = Record{a, r.ability, r.ability2, grade, r.state, r.state2, s, r.round + 1, now};
  }

  static bool Due(const Record& r, double now) {
    return (now - r.update_date) / (r.speed * 0.04167) >= r.ability && r.ability < kRemembered;
  }

  // Answers the grades one after the other, each at the first whole hour the item is due;
  // returns the waits in days.
  std::vector<double> Replay(const std::vector<int>& grades) {
    Record record;
    double now = 45000.0;
    std::vector<double> waits;
    for (const int grade : grades) {
      const double asked = now;
      while (!Due(record, now)) now += 1.0 / 24;
      if (record.round > 0) waits.push_back(now - asked);
      Answer(record, grade, now);
    }
    while (!Due(record, now) && now < 46000) now += 1.0 / 24;
    waits.push_back(now - record.update_date);
    return waits;
  }

  TAbilityProgram ability_;
  TSpeedProgram speed_;
};

TEST_F(ShippedAlgorithms, RememberedItemsComeBackAtGrowingIntervals) {
  const std::vector<double> waits = Replay({1, 1, 1, 1, 1});
  ASSERT_EQ(waits.size(), 5u);
  EXPECT_NEAR(waits[0], 1.0, 0.1);    // about a day
  EXPECT_NEAR(waits[1], 3.0, 0.5);    // about three days
  EXPECT_NEAR(waits[2], 7.0, 1.0);    // about a week
  EXPECT_GE(waits[3], 14.0);          // two to three weeks
  EXPECT_LE(waits[3], 21.5);
  EXPECT_GE(waits[4], 30.0);          // one to two months
  EXPECT_LE(waits[4], 61.0);
  for (std::size_t i = 1; i < waits.size(); ++i) {
    EXPECT_GE(waits[i] / waits[i - 1], 2.0);
    EXPECT_LE(waits[i] / waits[i - 1], 3.0);
  }
}

TEST_F(ShippedAlgorithms, ForgottenItemsComeBackTheSameDayAndGrowMoreSlowly) {
  const std::vector<double> clean = Replay({1, 1, 1, 1, 1});
  const std::vector<double> lapsed = Replay({1, 1, 2, 1, 1, 1});
  ASSERT_EQ(lapsed.size(), 6u);
  EXPECT_LT(lapsed[2], 0.5);  // after the lapse: within the same day
  EXPECT_NEAR(lapsed[3], 1.0, 0.1);
  EXPECT_LT(lapsed[4], clean[1]);
  EXPECT_LT(lapsed[5], clean[2]);
  EXPECT_GT(lapsed[5], lapsed[4]);
}

TEST_F(ShippedAlgorithms, StateElevenMarksAnItemRemembered) {
  Record record;
  Answer(record, 11, 45000.0);
  EXPECT_EQ(record.ability, kRemembered);
  EXPECT_FALSE(Due(record, 47000.0));
}

}  // namespace
}  // namespace zidezo
