#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/SqlValue.h"
#include "learners/UserBookConfig.h"
#include "script/AbilityProgram.h"

namespace zidezo {

class TAdoChannel;
class TResultSet;
class TUser;
class TWord;
struct TWordLoad;

// The item columns of a book's records joined with the library and the user's word information;
// bind (user, book) and append conditions with " and ...". recite is the Zidezo table.
#define ZIDEZO_RECORD_COLUMNS                                                                                    \
  "recite.REFERENCE_ID, recite.ABILITY, recite.State, recite.ABILITY2, recite.State2, recite.ABILITY3, "           \
  "recite.State3, recite.Word_Frequency, recite.WORD_ROUND, recite.Speed, recite.UPDATE_DATE, recite.Real_Date, " \
  "recite.RANDOM_NUM, recite.Word_Index, recite.BOOK_INDEX, recite.WORD_NAME, "                                   \
  "coalesce(UserWordInfo.Relation_Count, 0) as Relation_Count "
#define ZIDEZO_WORD_ITEM_FROM                                                                                       \
  "from Zidezo recite join TotalWords on TotalWords.WORD_ID = recite.REFERENCE_ID "                                \
  "left join UserWordInfo on UserWordInfo.User_ID = recite.User_ID and UserWordInfo.Word_ID = recite.REFERENCE_ID " \
  "where recite.User_ID = ? and recite.BOOK_ID = ?"
inline constexpr const char* kWordItemSelect =
    "select " ZIDEZO_RECORD_COLUMNS
    ", TotalWords.WORD_ID, TotalWords.WORD_SYMBOL, TotalWords.WORD_NEWSYMBOL, TotalWords.WORD_TRANS, "
    "TotalWords.WORD_EXPLAIN, TotalWords.WORD_SYNONYMY, TotalWords.WORD_ANTONYM, TotalWords.WORD_GREANTONYM, "
    "TotalWords.WORD_ANALOPY, TotalWords.WORD_EXAMPLE, TotalWords.WORD_AFFIX, TotalWords.WORD_AIDS, "
    "TotalWords.WORD_USAGE, TotalWords.WORD_CLASS, coalesce(UserWordInfo.CategoryContent, ',') as CategoryContent "
    ZIDEZO_WORD_ITEM_FROM;
// Only the record columns, for large selections: their snapshot stays small, and LoadItemPage
// reads the library texts of one page at a time.
inline constexpr const char* kWordRecordSelect = "select " ZIDEZO_RECORD_COLUMNS ZIDEZO_WORD_ITEM_FROM;
#undef ZIDEZO_RECORD_COLUMNS
#undef ZIDEZO_WORD_ITEM_FROM
inline constexpr const char* kSentenceItemSelect =
    "select recite.REFERENCE_ID, recite.ABILITY, recite.State, recite.ABILITY2, recite.State2, recite.ABILITY3, "
    "recite.State3, recite.Word_Frequency, recite.WORD_ROUND, recite.Speed, recite.UPDATE_DATE, recite.Real_Date, "
    "recite.RANDOM_NUM, recite.Word_Index, recite.BOOK_INDEX, TotalSentences.Sentence_ID, TotalSentences.Sentence_Content, "
    "TotalSentences.Sentence_Explain, TotalSentences.Sentence_Analyse, "
    "(select count(*) from LinkWords where LinkWords.User_ID = recite.User_ID and "
    "LinkWords.Link_ID = recite.REFERENCE_ID) as Relation_Count "
    "from Zidezo recite join TotalSentences on TotalSentences.Sentence_ID = recite.REFERENCE_ID "
    "where recite.User_ID = ? and recite.BOOK_ID = ?";

inline constexpr int kWordBook = 1;
inline constexpr int kSentenceBook = 2;
inline constexpr int kWordDefaultsBook = -1;     // a user's default configuration for word books
inline constexpr int kSentenceDefaultsBook = 0;  // ... and for sentence books
inline constexpr int kHelpBook = 4;              // the example note book "例子笔记本"
inline constexpr int kMergeScratchBook = 600000;
inline constexpr int kInitialSpeed = 12;
inline constexpr int kRandomKeys = 100000;       // RANDOM_NUM is 0 to 99999

// A random sort key for a new or shuffled record.
int RandomRecordKey();

// Copies every record of (from_user, from_book) into (to_user, to_book) with all their progress,
// giving them the book index and moving their natural order by index_offset.
SqlStatement CopyRecordsStatement(int from_user, int from_book, int to_user, int to_book, int book_index,
                                  int index_offset);

// The options of a book's initialisation (the book setup dialog fills them).
struct TInitialUserBook {
  bool reset_rounds = false;
  bool reset_grades = false;
  bool reset_study_time = false;
  bool reset_dates = false;
  bool set_speed = false;
  int speed = kInitialSpeed;
  bool set_ability = false;
  int ability = 0;
  bool clear_histories = false;
  bool shuffle = false;
  bool no_recording = false;
  int no_recording_ability = 0;
  bool no_picture = false;
  int no_picture_ability = 0;
};

struct TBookStatistics {
  int total = 0;
  int remembered = 0;
  int untouched = 0;
  int learned = 0;
  int limit = 0;
  int start_day = 0;  // book key 80
  double mean_ability = 0, mean_ability_learned = 0;
  double mean_rounds = 0, mean_rounds_learned = 0;
  int most_rounds = 0;
  std::string most_rounds_word;
  int study_seconds = 0;
  std::string study_time_text;  // "%d小时%d分钟"
  double seconds_per_item = 0, seconds_per_learned_item = 0;
};

// One book of a user: a named set of words or sentences, each with a reciting record (Zidezo).
class TUserBook {
 public:
  TUserBook(TUser& user, TAdoChannel& channel);
  ~TUserBook();

  TUser& User() const { return user_; }
  TAdoChannel& Channel() const { return channel_; }
  int Number() const { return number_; }
  const std::string& Name() const { return name_; }
  int Sequence() const { return sequence_; }
  int Deletable() const { return deletable_; }
  int ActiveSequence() const { return active_sequence_; }
  int Kind() const { return kind_; }
  bool IsSentenceBook() const { return kind_ == kSentenceBook; }
  int RelationBook() const { return relation_book_; }

  void SetNumber(int number) { number_ = number; }
  void SetName(std::string name) { name_ = std::move(name); }
  void SetSequence(int sequence) { sequence_ = sequence; }
  void SetDeletable(int deletable) { deletable_ = deletable; }
  void SetActiveSequence(int sequence) { active_sequence_ = sequence; }
  void SetKind(int kind) { kind_ = kind; }
  void SetRelationBook(int book) { relation_book_ = book; }

  TUserBookConfig& Config() { return config_; }
  const TUserBookConfig& Config() const { return config_; }
  TAbilityProgram& AbilityProgram() { return ability_program_; }
  TSpeedProgram& SpeedProgram() { return speed_program_; }

  // Items chosen for the specific book mode (4), filled by the reciting modes.
  std::vector<int>& ChosenItems() { return chosen_items_; }
  bool Activated() const { return activated_; }
  int LearnedToday() const { return learned_today_; }
  int NewToday() const { return new_today_; }
  // "%d(%d)W": learned today (new today).
  std::string TodayCountsText() const;
  // Reciting modes that have the book open; the books panel neither removes nor clears it meanwhile.
  int OpenCount() const { return open_count_; }
  void Opened() { ++open_count_; }
  void Closed() { if (open_count_ > 0) --open_count_; }

  // Fills the object from a USERBOOKS row.
  void LoadFromRow(const TResultSet& row);
  // Replaces the book's USERBOOKS row (in one transaction).
  bool Save();
  bool Rename(const std::string& name);
  // Fills the book from a library book; every new record is due at once and gets a random key.
  bool AddBookContents(int kind, int book_number, int library_book);
  // Each time the reciting world opens the book: day counters, day offset, programs, today's counts.
  // False (with error) when a program does not compile.
  bool OpenForReciting(std::string& error);
  // Recomputes today's counts (also after answers).
  void CountToday();
  // One more recorded answer today; new_item when the item had not been answered before.
  void CountAnswer(bool new_item) {
    ++learned_today_;
    if (new_item) ++new_today_;
  }

  bool ContainsItem(int item) const;
  std::unique_ptr<TWord> LoadItem(int item);
  TBookStatistics Statistics() const;
  // Runs the chosen parts in one transaction; wav and picture folders for the per-record options.
  bool Initialise(const TInitialUserBook& options, const std::string& wav_folder, const std::string& picture_folder);

  int DayOffset() const;
  int DefaultGrade() const;
  int GradeCount() const;
  int BookMode() const;
  bool SetBookMode(int mode);
  int GradeValue(int grade) const;
  // The book key that holds a grade's value and caption.
  static int GradeKey(int grade);
  std::string GradeCaption(int grade) const;
  bool SetGradeCaption(int grade, const std::string& caption);
  std::string AlgorithmText(int algorithm) const;
  // Opens the named query "Print" with every item of the book (for the print windows).
  TResultSet* PrintQuery(const std::string& category_condition = "");
  // How items of this book are loaded (book, user, marks, capitals).
  TWordLoad ItemLoad(bool answered, bool full_example);

 private:
  TUser& user_;
  TAdoChannel& channel_;
  int number_ = 0;
  std::string name_;
  int sequence_ = 0;
  int deletable_ = 1;
  int active_sequence_ = 0;
  int kind_ = kWordBook;
  int relation_book_ = 3;
  TUserBookConfig config_;
  TAbilityProgram ability_program_;
  TSpeedProgram speed_program_;
  std::vector<int> chosen_items_;
  bool activated_ = false;
  int learned_today_ = 0;
  int new_today_ = 0;
  int open_count_ = 0;
};

}  // namespace zidezo
