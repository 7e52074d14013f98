#pragma once

#include <memory>

namespace zidezo {

// Day numbers count days from 30 December 1899, local time; the fraction is the time of day.
using DayNumber = double;

// Day 40544 (1 January 2011) stands for "never": new records carry it so they are due at once.
inline constexpr DayNumber kNeverDate = 40544.0;
inline constexpr double kHoursPerDay = 24.0;

// The program's one clock. The database's Now(), the scripts and the answer history all read it,
// so stored dates, programs and the due rule agree. Tests install a manual clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DayNumber Now() const = 0;
};

// Local wall-clock time.
class SystemClock final : public Clock {
 public:
  DayNumber Now() const override;
};

// A clock that stands still until it is set or advanced.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(DayNumber now = kNeverDate) : now_(now) {}
  DayNumber Now() const override { return now_; }
  void Set(DayNumber now) { now_ = now; }
  void AdvanceDays(double days) { now_ += days; }
  void AdvanceHours(double hours) { now_ += hours / kHoursPerDay; }

 private:
  DayNumber now_;
};

// The clock every part of the program reads.
const Clock& ProgramClock();
DayNumber Now();

// Replaces the program clock (tests); passing nullptr restores the system clock.
void SetProgramClock(std::shared_ptr<const Clock> clock);

// Whole-day and civil-date helpers.
DayNumber DayNumberFromDate(int year, int month, int day);
int DayOf(DayNumber value);  // the integer day part

}  // namespace zidezo
