#pragma once

#include <map>
#include <string>
#include <vector>

namespace zidezo {

class TAdoChannel;

// The numbers of the book keys (table UserBookConfig, SEQUENCE).
namespace BookKey {
constexpr int kAbilityLimit = 1;  // remembered standard, also the value of grade 11
constexpr int kFixedPeriodHours = 2;
constexpr int kFirstLetter = 3;
constexpr int kLastLetter = 4;
constexpr int kItemOrder = 5;
constexpr int kReciteFormat = 6;
constexpr int kUseItemSpeed = 7;
constexpr int kSpeedAlgorithm = 8;
constexpr int kShowTranslation = 11;
constexpr int kShowExplanation = 12;
constexpr int kShowPhonetics = 13;
constexpr int kShowSynonyms = 14;
constexpr int kShowAntonyms = 15;
constexpr int kShowAnalogous = 16;
constexpr int kShowMemoryAid = 17;
constexpr int kShowPicture = 18;
constexpr int kShowExample = 19;
constexpr int kShowCapitals = 20;
constexpr int kShowWordFormation = 21;
constexpr int kShowFurtherRelated = 22;
constexpr int kUseDayOffset = 25;
constexpr int kDayOffset = 26;
constexpr int kLastActivationDay = 27;
constexpr int kStudySecondsToday = 28;
constexpr int kStudySecondsTotal = 29;
constexpr int kModeValue30 = 30;
constexpr int kMarkingActsOn = 31;
constexpr int kReviewWindowOn = 32;
constexpr int kReviewWindowStart = 33;
constexpr int kReviewWindowEnd = 34;
constexpr int kRoundAtLeast = 35;
constexpr int kRoundBound = 36;
constexpr int kReviewAbilityLow = 37;
constexpr int kReviewAbilityHigh = 38;
constexpr int kReviewAnswer = 39;  // 0 nothing, 1 dates only, 2 recompute
constexpr int kAbilityAlgorithm = 42;
constexpr int kJudgingTime = 43;
constexpr int kRecitingTime = 44;
constexpr int kGradeDisplay = 50;
constexpr int kDropOnHighlighter = 51;
constexpr int kFixedBook = 52;
constexpr int kCategoryFilter = 56;
constexpr int kDictationInterval = 57;
constexpr int kReviewGradeAveraging = 58;
constexpr int kReviewAbilityAveraging = 59;
constexpr int kReviewGrades = 60;  // bit n-1 for grade n, 0x800 for no grade
constexpr int kBookMode = 61;
constexpr int kGradesInUse = 62;   // grade count minus 2
constexpr int kPictureWidth = 63;
constexpr int kPictureHeight = 64;
constexpr int kPictureModeValue = 65;
constexpr int kItemsPerPage = 71;
constexpr int kUseHighlighter = 76;
constexpr int kWordFontSize = 77;
constexpr int kTranslationFontSize = 78;
constexpr int kDefaultGrade = 79;  // 0 means grade 11
constexpr int kReciteStartDay = 80;
constexpr int kTranslationOnOpen = 81;
constexpr int kCategoryWordsOnly = 82;
constexpr int kListeningColour = 85;
constexpr int kFirstColumnWidth = 88;

constexpr int kRememberedGrade = 11;
}  // namespace BookKey

// Where the defaults live: a user's book -1 for word books and book 0 for sentence books; a new
// user's come from the template user's.
constexpr int kBookTemplateUser = 116;
constexpr int kWordBookDefaults = -1;
constexpr int kSentenceBookDefaults = 0;

// One book's numbered settings (table UserBookConfig): key -> NUMBEREX and CHOICE. A missing key
// reads as 0 and empty text, since every book's rows are copied from a template.
class TUserBookConfig {
 public:
  explicit TUserBookConfig(TAdoChannel& channel);

  bool Load(int user, int book);
  int User() const { return user_; }
  int Book() const { return book_; }
  bool Has(int key) const { return values_.count(key) > 0; }
  bool Empty() const { return values_.empty(); }

  int Key(int key) const;
  bool Flag(int key) const { return Key(key) == 1; }
  const std::string& Text(int key) const;
  // In memory only; stored by StoreAll.
  void Set(int key, int value);
  void SetText(int key, const std::string& text);

  // Replaces the book's rows by this object's keys in one transaction. Texts are the template's
  // (the template user's word-book defaults), except that grade keys keep this object's caption.
  bool StoreAll(int user, int book);
  // Writes one key now (creating the row when the book lacks it).
  bool SetKey(int user, int book, int value, int key);

  // "缺省": the user's word-book defaults, keeping the study seconds of the given book; this
  // object then stands for that book (nothing is stored).
  bool LoadDefaults(int user, const TUserBookConfig& book);
  // "保存成缺省": this object's keys with study seconds 0 become the user's word-book defaults,
  // grade captions included; this object itself is unchanged.
  bool SaveAsDefault(int user) const;

  // Grades: the key holding a grade's value and caption (1..10 their keys, 11 the ability limit,
  // anything else grade 1), and the same after taking the grade mod 11 (0 is grade 11).
  static int GradeKey(int grade);
  static int CaptionKey(int grade);
  // Grade keys in grade order 1 .. 11.
  static const std::vector<int>& GradeKeys();
  static bool IsGradeKey(int key);

  int GradeValue(int grade) const { return Key(GradeKey(grade)); }
  const std::string& GradeCaption(int grade) const { return Text(CaptionKey(grade)); }
  void SetGradeCaption(int grade, const std::string& caption) { SetText(CaptionKey(grade), caption); }
  // Book key 79, 11 when it is 0.
  int DefaultGrade() const;
  int GradeCount() const { return Key(BookKey::kGradesInUse) + 2; }
  // Book key 26 when book key 25 is 1, else 0.
  int DayOffset() const;

  const std::map<int, int>& Values() const { return values_; }

 private:
  TAdoChannel& channel_;
  int user_ = 0;
  int book_ = 0;
  std::map<int, int> values_;
  std::map<int, std::string> texts_;
};

}  // namespace zidezo
