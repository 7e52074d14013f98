#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "data/SqlValue.h"
#include "script/AbilityProgram.h"

namespace zidezo {

class TResultSet;
class TUserBook;
class TWord;

// The book modes (book key 61), in the order of their names.
enum TBookMode : int { kPlanMode = 0, kReviewMode = 1, kRememberedMode = 2, kAllMode = 3, kSpecificMode = 4 };
inline constexpr int kBookModeCount = 5;
// "计划", "复习", "牢记", "全部", "特定"; an unknown mode has no name.
std::string BookModeName(int mode);

// Fraction of a day per hour, as the due rule has always counted it (slightly more than 1/24).
inline constexpr double kDayPerHour = 0.04167;

inline constexpr const char* kHistoryFailedMessage = "保存记忆历史出错！";

// A selection statement and the values bound to it, in order.
struct TSelection {
  std::string sql;
  SqlParams params;
};

// The statement that selects the items a book mode draws, in the book's order (the item columns
// the loaders read). The clock is the program clock shifted by the book's day offset.
TSelection BuildSelection(TUserBook& book, int mode);

// Opens the selection of the book's own mode as the named query result_name on the book's
// channel; the rows are a snapshot, so answers recorded meanwhile do not move its pages.
// nullptr (with the reason in error) when the statement fails.
TResultSet* SelectDueItems(TUserBook& book, const std::string& result_name, std::string* error = nullptr);

// How many items the given mode would select now; nullopt when the statement fails.
std::optional<int> CountSelection(TUserBook& book, int mode, std::string* error = nullptr);

// Stores the pending state (item.grade) of one answered item as the book's mode asks and raises
// the book's counts of today. The record update and the history entry run in one transaction:
// on any failure nothing is stored, the item and the counts are unchanged and error says why.
bool RecordAnswer(TUserBook& book, TWord& item, std::string& error);

// Score previews: the score an item would get for a state, computed on programs of their own
// (one per book, compiled from the book's score algorithm), so that a preview never changes
// what a recorded answer computes.
class TReviewSchedule {
 public:
  TReviewSchedule();
  ~TReviewSchedule();

  // nullopt (with the reason in error) when the score program does not compile or run.
  std::optional<int> PreviewScore(TUserBook& book, const TWord& item, int state, std::string* error = nullptr);
  // Drops a book's preview program (when the book closes or its algorithm changes).
  void Forget(const TUserBook& book);

 private:
  struct TPreviewProgram {
    std::string text;
    TAbilityProgram program;
  };
  TAbilityProgram& ProgramFor(TUserBook& book);

  std::map<const TUserBook*, std::unique_ptr<TPreviewProgram>> programs_;
};

}  // namespace zidezo
