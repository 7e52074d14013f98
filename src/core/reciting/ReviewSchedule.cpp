#include "reciting/ReviewSchedule.h"

#include <algorithm>
#include <array>

#include "base/Clock.h"
#include "data/AdoChannel.h"
#include "learners/AnswerHistory.h"
#include "learners/User.h"
#include "learners/UserBook.h"
#include "learners/Word.h"
#include "learners/WordInfo.h"
#include "script/ScriptError.h"

namespace zidezo {
namespace {

// The book's clock: now shifted by the day offset (book key 26, when key 25 is on).
double ClockTime(const TUserBook& book, double now) { return now + book.DayOffset(); }

void Append(TSelection& selection, const std::string& sql, const SqlParams& params = {}) {
  selection.sql += sql;
  selection.params.insert(selection.params.end(), params.begin(), params.end());
}

// Book key 5. REFERENCE_ID comes last so that equal keys keep one order.
std::string OrderClause(int order) {
  static const std::array<const char*, 7> keys = {
      "recite.Word_Index ASC",     "recite.Word_Index DESC",     "recite.WORD_NAME ASC", "recite.WORD_NAME DESC",
      "recite.Word_Frequency ASC", "recite.Word_Frequency DESC", "recite.RANDOM_NUM ASC"};
  const char* key = order >= 0 && order < static_cast<int>(keys.size()) ? keys[static_cast<std::size_t>(order)] : keys[0];
  return std::string(" order by ") + key + ", recite.REFERENCE_ID ASC";
}

// Mode 0: the item is due when the hours since its UPDATE_DATE, divided by its forgetting rate
// (or the book's, key 7 off), reach its score, and it is not yet remembered.
void AppendPlanCondition(TSelection& selection, const TUserBook& book, double clock) {
  const TUserBookConfig& config = book.Config();
  const int limit = config.Key(BookKey::kAbilityLimit);
  if (config.Flag(BookKey::kUseItemSpeed)) {
    Append(selection,
           " and ((? - recite.UPDATE_DATE) / (recite.Speed * 0.04167) >= recite.ABILITY) and (recite.ABILITY < ?)",
           {Real(clock), Int(limit)});
  } else {
    Append(selection, " and ((? - recite.UPDATE_DATE) / ? >= recite.ABILITY) and (recite.ABILITY < ?)",
           {Real(clock), Real(config.Key(BookKey::kFixedPeriodHours) * kDayPerHour), Int(limit)});
  }
}

// The averaged value of a column and its two predecessors (book keys 58 and 59).
std::string Averaged(int averaging, const char* first, const char* second, const char* third) {
  const std::string a = std::string("recite.") + first, b = std::string("recite.") + second,
                    c = std::string("recite.") + third;
  if (averaging == 1) return "Round((" + a + " + " + b + ") / 2.0)";
  if (averaging == 2) return "Round((" + a + " + " + b + " + " + c + ") / 3.0)";
  return a;
}

// Mode 1: round, score range, state set and (key 32) a window of update dates.
void AppendReviewCondition(TSelection& selection, const TUserBook& book, double clock) {
  const TUserBookConfig& config = book.Config();
  Append(selection, config.Key(BookKey::kRoundAtLeast) == 1 ? " and (recite.WORD_ROUND >= ?" : " and (recite.WORD_ROUND <= ?",
         {Int(config.Key(BookKey::kRoundBound))});
  const std::string ability = Averaged(config.Key(BookKey::kReviewAbilityAveraging), "ABILITY", "ABILITY2", "ABILITY3");
  Append(selection, " and ? <= " + ability + " and " + ability + " <= ?",
         {Int(config.Key(BookKey::kReviewAbilityLow)), Int(config.Key(BookKey::kReviewAbilityHigh))});
  // The list starts with -1, so an empty state set selects nothing rather than failing.
  const int states = config.Key(BookKey::kReviewGrades);
  std::string list = "-1";
  SqlParams values;
  if ((states & 0x800) != 0) list += ", 0";
  for (int state = 1; state <= BookKey::kRememberedGrade; ++state) {
    if ((states & (1 << (state - 1))) != 0) {
      list += ", ?";
      values.push_back(Int(state));
    }
  }
  Append(selection, " and " + Averaged(config.Key(BookKey::kReviewGradeAveraging), "State", "State2", "State3") + " in (" +
                        list + ")",
         values);
  if (config.Flag(BookKey::kReviewWindowOn)) {
    const double today = DayOf(clock);
    Append(selection, " and ? <= recite.UPDATE_DATE and recite.UPDATE_DATE < ?",
           {Real(today + config.Key(BookKey::kReviewWindowStart)), Real(today + config.Key(BookKey::kReviewWindowEnd) + 1)});
  }
  Append(selection, ")");
}

// Mode 4: the book's specific list; "-1" first, so an empty list selects nothing.
void AppendSpecificCondition(TSelection& selection, TUserBook& book) {
  std::string list = "[-1";
  for (int item : book.ChosenItems()) {
    list += ',';
    list += std::to_string(item);
  }
  Append(selection, " and recite.REFERENCE_ID in (select value from json_each(?))", {Text(list + "]")});
}

// Book key 56: the n-th entry of the user's category list (own categories, then shared ones).
void AppendCategoryCondition(TSelection& selection, TUserBook& book) {
  const int position = book.Config().Key(BookKey::kCategoryFilter);
  if (position <= 0) return;
  const int category = book.User().WordInformation().CategoryAt(position);
  if (category == kNoCategory) return;
  const std::string pattern = "%," + std::to_string(category) + ",%";
  Append(selection, category < kOwnCategoryLimit ? " and UserWordInfo.CategoryContent like ?" : " and TotalWords.WORD_CLASS like ?",
         {Text(pattern)});
}

// Book keys 3 and 4: names from the first letter up to the last letter followed by "zz".
void AppendLetterRange(TSelection& selection, const TUserBook& book) {
  auto letter = [&](int key, char fallback) {
    const int code = book.Config().Key(key);
    return std::string(1, code > 0 && code < 128 ? static_cast<char>(code) : fallback);
  };
  Append(selection, " and (? <= recite.WORD_NAME and recite.WORD_NAME <= ?)",
         {Text(letter(BookKey::kFirstLetter, 'A')), Text(letter(BookKey::kLastLetter, 'Z') + "zz")});
}

void AppendModeCondition(TSelection& selection, TUserBook& book, int mode, double clock) {
  switch (mode) {
    case kPlanMode:
      if (!book.Config().Flag(BookKey::kFixedBook)) AppendPlanCondition(selection, book, clock);
      break;
    case kReviewMode: AppendReviewCondition(selection, book, clock); break;
    case kRememberedMode:
      Append(selection, " and (recite.ABILITY >= ?)", {Int(book.Config().Key(BookKey::kAbilityLimit))});
      break;
    case kSpecificMode: AppendSpecificCondition(selection, book); break;
    default: break;  // all items
  }
}

// The program inputs of a score computation (also the speed program's, but for its speed).
struct TAnswerInputs {
  double clock = 0;
  int state = 0;
  int stateValue = 0;
  int presentations = 1;
};

TAnswerInputs InputsFor(const TUserBook& book, const TWord& item, int state, double now) {
  return {ClockTime(book, now), state, book.Config().GradeValue(state), std::max(item.presentations, 1)};
}

void FeedCommonInputs(TAbilityProgram& program, const TWord& item, const TAnswerInputs& inputs) {
  program.SetCurrentTime(inputs.clock);
  program.SetLastReciteTime(item.updateDate);
  program.SetAbility1(item.ability1);
  program.SetAbility2(item.ability2);
  program.SetAbility3(item.ability3);
  program.SetState(inputs.state);
  program.SetState1(item.state1);
  program.SetState2(item.state2);
  program.SetState3(item.state3);
  program.SetThisRoundOccurTime(inputs.presentations);
  program.SetStateValue(inputs.stateValue);
}

// The book compiles its programs when it opens; a program not compiled yet gets its text from
// the book's algorithm when it has none.
void EnsureCompiled(TAbilityProgram& program, const TUserBook& book, int algorithm_key) {
  if (program.Compiled()) return;
  if (program.UserText().empty()) program.SetText(book.AlgorithmText(book.Config().Key(algorithm_key)));
  program.Compile();
}

// The new score (raises ScriptError).
int ComputeScore(TAbilityProgram& program, const TUserBook& book, const TWord& item, const TAnswerInputs& inputs) {
  FeedCommonInputs(program, item, inputs);
  const TUserBookConfig& config = book.Config();
  program.SetSpeed(config.Flag(BookKey::kUseItemSpeed) ? item.speed : config.Key(BookKey::kFixedPeriodHours));
  program.SetOccurTotalTime(item.round + 1);
  program.Run();
  return program.GetResult();
}

// The new forgetting rate, at least 1 (raises ScriptError).
int ComputeSpeed(TSpeedProgram& program, const TWord& item, const TAnswerInputs& inputs, int score) {
  FeedCommonInputs(program, item, inputs);
  program.SetAbility(score);
  program.SetSpeed(item.speed);
  program.SetOccurTotalTime(item.round + 1);
  program.Run();
  return std::max(program.GetResult(), 1);
}

SqlParams RecordKey(const TUserBook& book, const TWord& item) {
  return {Int(book.User().Number()), Int(book.Number()), Int(item.number)};
}

// Runs one record update in the caller's transaction; a record that is gone is a failure too.
bool UpdateRecord(TAdoChannel& channel, const std::string& assignments, SqlParams params, const TUserBook& book,
                  const TWord& item, std::string& error) {
  const SqlParams key = RecordKey(book, item);
  params.insert(params.end(), key.begin(), key.end());
  if (!channel.RunSql("update Zidezo set " + assignments + " where USER_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?",
                      params)) {
    error = "保存背记记录出错：" + channel.LastError();
    return false;
  }
  if (channel.Changes() == 0) {
    error = "书本中已没有这个条目，背记记录没有保存。";
    return false;
  }
  return true;
}

bool RecordDatesOnly(TUserBook& book, TWord& item, double now, std::string& error) {
  const double clock = ClockTime(book, now);
  const bool stored = book.Channel().InTransaction([&] {
    return UpdateRecord(book.Channel(), "UPDATE_DATE = ?, Real_Date = ?", {Real(clock), Real(now)}, book, item, error);
  });
  if (!stored) return false;
  item.updateDate = clock;
  item.realDate = now;
  return true;
}

bool RecordReset(TUserBook& book, TWord& item, std::string& error) {
  const bool stored = book.Channel().InTransaction([&] {
    return UpdateRecord(book.Channel(),
                        "UPDATE_DATE = ?, Real_Date = ?, WORD_ROUND = 0, Speed = ?, ABILITY = 0, State = 0, ABILITY2 = 0, "
                        "State2 = 0, ABILITY3 = 0, State3 = 0",
                        {Real(kNeverDate), Real(kNeverDate), Int(kInitialSpeed)}, book, item, error);
  });
  if (!stored) return false;
  item.updateDate = item.realDate = kNeverDate;
  item.round = 0;
  item.speed = kInitialSpeed;
  item.ability = item.ability1 = item.ability2 = item.ability3 = 0;
  item.state1 = item.state2 = item.state3 = 0;
  item.abilityPerRound = 0;
  return true;
}

// The new values of a fully recomputed answer, kept apart until they are stored.
struct TRecomputed {
  int round = 0;
  int score = 0;
  int speed = 0;
};

bool RecordRecomputed(TUserBook& book, TWord& item, double now, std::string& error) {
  const TAnswerInputs inputs = InputsFor(book, item, item.grade, now);
  TRecomputed result;
  try {
    EnsureCompiled(book.AbilityProgram(), book, BookKey::kAbilityAlgorithm);
    result.score = ComputeScore(book.AbilityProgram(), book, item, inputs);
    EnsureCompiled(book.SpeedProgram(), book, BookKey::kSpeedAlgorithm);
    result.speed = ComputeSpeed(book.SpeedProgram(), item, inputs, result.score);
  } catch (const ScriptError& failure) {
    error = failure.what();
    return false;
  }
  result.round = item.round + 1;
  TAdoChannel& channel = book.Channel();
  const bool stored = channel.InTransaction([&] {
    if (!UpdateRecord(channel,
                      "UPDATE_DATE = ?, Real_Date = ?, WORD_ROUND = ?, Speed = ?, ABILITY = ?, State = ?, ABILITY2 = ?, "
                      "State2 = ?, ABILITY3 = ?, State3 = ?",
                      {Real(inputs.clock), Real(now), Int(result.round), Int(result.speed), Int(result.score),
                       Int(item.grade), Int(item.ability1), Int(item.state1), Int(item.ability2), Int(item.state2)},
                      book, item, error)) {
      return false;
    }
    const THistoryEntry entry{result.round, inputs.clock, now, result.score, item.grade, inputs.stateValue, result.speed};
    std::string reason;
    if (!RecordHistoryEntry(channel, item.isSentence ? THistoryOwner::Sentence : THistoryOwner::Word, book.User().Number(),
                            item.number, entry, reason)) {
      error = std::string(kHistoryFailedMessage) + "\n" + reason;
      return false;
    }
    return true;
  });
  if (!stored) return false;
  item.round = result.round;
  item.ability3 = item.ability2;
  item.ability2 = item.ability1;
  item.ability = item.ability1 = result.score;
  item.state3 = item.state2;
  item.state2 = item.state1;
  item.state1 = item.grade;
  item.speed = result.speed;
  item.updateDate = inputs.clock;
  item.realDate = now;
  item.presentations = 0;
  item.abilityPerRound = static_cast<double>(item.ability) / item.round;
  return true;
}

}  // namespace

std::string BookModeName(int mode) {
  static const std::array<const char*, kBookModeCount> names = {"计划", "复习", "牢记", "全部", "特定"};
  return mode >= 0 && mode < kBookModeCount ? names[static_cast<std::size_t>(mode)] : "";
}

TSelection BuildSelection(TUserBook& book, int mode) {
  const double clock = ClockTime(book, Now());
  TSelection selection{book.IsSentenceBook() ? kSentenceItemSelect : kWordRecordSelect,
                       {Int(book.User().Number()), Int(book.Number())}};
  AppendModeCondition(selection, book, mode, clock);
  if (!book.IsSentenceBook() && mode != kSpecificMode) {
    AppendCategoryCondition(selection, book);
    AppendLetterRange(selection, book);
  }
  selection.sql += OrderClause(book.Config().Key(BookKey::kItemOrder));
  return selection;
}

TResultSet* SelectDueItems(TUserBook& book, const std::string& result_name, std::string* error) {
  const TSelection selection = BuildSelection(book, book.BookMode());
  TResultSet* rows = book.Channel().OpenNamedQuery(result_name, selection.sql, selection.params);
  if (rows == nullptr) {
    // A failed selection leaves no stale rows under the name: the mode shows no items.
    book.Channel().CloseNamedQuery(result_name);
    if (error != nullptr) *error = "无法选出书本的条目：" + book.Channel().LastError();
  }
  return rows;
}

std::optional<int> CountSelection(TUserBook& book, int mode, std::string* error) {
  const TSelection selection = BuildSelection(book, mode);
  auto count = book.Channel().QueryInteger("select count(*) from (" + selection.sql + ")", selection.params);
  if (!count && error != nullptr) *error = "无法选出书本的条目：" + book.Channel().LastError();
  if (!count) return std::nullopt;
  return static_cast<int>(*count);
}

bool RecordAnswer(TUserBook& book, TWord& item, std::string& error) {
  if (!item.BelongsToBook()) return true;
  const int mode = book.BookMode();
  const int review = book.Config().Key(BookKey::kReviewAnswer);
  const bool new_item = item.round <= 0;
  const double now = Now();
  bool stored = true;
  if (mode == kAllMode || (mode == kReviewMode && review == 0)) {
    stored = true;  // these modes only show the items
  } else if (mode == kReviewMode && review == 1) {
    stored = RecordDatesOnly(book, item, now, error);
  } else if (mode == kRememberedMode) {
    stored = RecordReset(book, item, error);
  } else {
    stored = RecordRecomputed(book, item, now, error);
  }
  if (stored) book.CountAnswer(new_item);
  return stored;
}

TReviewSchedule::TReviewSchedule() = default;
TReviewSchedule::~TReviewSchedule() = default;

TAbilityProgram& TReviewSchedule::ProgramFor(TUserBook& book) {
  const std::string text = book.AlgorithmText(book.Config().Key(BookKey::kAbilityAlgorithm));
  auto& slot = programs_[&book];
  if (!slot || slot->text != text) {
    slot = std::make_unique<TPreviewProgram>();
    slot->text = text;
  }
  if (!slot->program.Compiled()) {
    slot->program.SetText(text);
    slot->program.Compile();
  }
  return slot->program;
}

std::optional<int> TReviewSchedule::PreviewScore(TUserBook& book, const TWord& item, int state, std::string* error) {
  try {
    TAbilityProgram& program = ProgramFor(book);
    return ComputeScore(program, book, item, InputsFor(book, item, state, Now()));
  } catch (const ScriptError& failure) {
    if (error != nullptr) *error = failure.what();
    return std::nullopt;
  }
}

void TReviewSchedule::Forget(const TUserBook& book) { programs_.erase(&book); }

}  // namespace zidezo
