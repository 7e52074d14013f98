#include "base/Clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace zidezo {
namespace {

std::shared_ptr<const Clock>& CurrentClock() {
  static std::shared_ptr<const Clock> clock = std::make_shared<SystemClock>();
  return clock;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;
  const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

constexpr long long kDaysFrom1899To1970 = 25569;

}  // namespace

DayNumber SystemClock::Now() const {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto micros =
      std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count() % 1000000;
  const double day_fraction =
      (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + micros / 1e6) / 86400.0;
  return DayNumberFromDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) + day_fraction;
}

const Clock& ProgramClock() { return *CurrentClock(); }

DayNumber Now() { return CurrentClock()->Now(); }

void SetProgramClock(std::shared_ptr<const Clock> clock) {
  CurrentClock() = clock ? std::move(clock) : std::make_shared<SystemClock>();
}

DayNumber DayNumberFromDate(int year, int month, int day) {
  return static_cast<DayNumber>(DaysFromCivil(year, month, day) + kDaysFrom1899To1970);
}

int DayOf(DayNumber value) { return static_cast<int>(std::floor(value)); }

}  // namespace zidezo
