#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

namespace zidezo {

class TAdoChannel;

// The numbers of the user keys (table Config, SEQUENCE). They are stable data: stored rows and the
// template users depend on them.
namespace UserKey {
constexpr int kUseRelationColours = 1;
constexpr int kRelationColour = 2;
constexpr int kSecondRelationColour = 3;
constexpr int kPronunciation = 4;  // 0 recordings, 1 speech synthesis, 2 none
constexpr int kSpeakOnClick = 5;
constexpr int kShowReciteState = 6;
constexpr int kShowExampleTranslation = 7;
constexpr int kFirstColumnWidth = 8;
constexpr int kVoice = 9;  // position in the voice list, used modulo its size
constexpr int kFontSize = 10;
constexpr int kReadingFontSize = 11;
constexpr int kSpeechRate = 12;    // -10 .. 10
constexpr int kSpeechVolume = 13;  // 0 .. 100
constexpr int kCentreWindow = 14;
constexpr int kCategoryModeOption = 15;
constexpr int kStartFunction = 16;
constexpr int kTextColour = 17;
constexpr int kNoteLookedUpWords = 18;
constexpr int kLookUpWindowTime = 19;
constexpr int kRelationDifficulties = 20;
constexpr int kShowBackdrop = 21;
constexpr int kBackdropColour = 22;
constexpr int kCategoryRatings = 23;
constexpr int kRelateNotedWords = 24;
constexpr int kRelationModeOption = 25;
constexpr int kShowCategories = 26;
constexpr int kBackdropPicture = 27;
constexpr int kBookPicture = 28;
constexpr int kBackgroundMusic = 29;
constexpr int kGradeColourBase = 30;  // grade n at 30 + (n mod 11)
constexpr int kReserved41 = 41;
constexpr int kReadingFont = 42;  // 0 "Tahoma", 1 "宋体"
constexpr int kFirstStudyTime = 43;
constexpr int kLastStudyTime = 62;
constexpr int kLastStudyDay = 63;
constexpr int kExerciseAnswerColour = 64;
constexpr int kExerciseKeyColour = 65;
constexpr int kSubtitleHeight = 66;
constexpr int kSubtitleFontSize = 67;
constexpr int kTypedAnswerBackground = 68;
constexpr int kShowTipBar = 69;
constexpr int kTeacherRemarkColour = 70;
constexpr int kExaminationMode = 71;
constexpr int kFirstPrintSetting = 101;
constexpr int kLastPrintSetting = 106;

// Study-time counters come in pairs: today's seconds and the total.
constexpr std::array<int, 10> kTodayStudyTime = {43, 45, 47, 49, 51, 53, 55, 57, 59, 61};
constexpr int TotalStudyTimeOf(int today_key) { return today_key + 1; }

constexpr int kWhite = 16777215;
constexpr int kMinimumSubtitleHeight = 60;
constexpr int kMinimumSubtitleFontSize = 10;
constexpr int kDefaultTypedAnswerBackground = 12639424;
}  // namespace UserKey

// The user whose Config rows are the defaults of users created later.
constexpr int kConfigTemplateUser = 2;

// A user's numbered settings (table Config): key -> NUMBEREX, with the defaults of missing rows
// and the read rules of keys 17, 66, 67 and 68.
class TUserConfig {
 public:
  explicit TUserConfig(TAdoChannel& channel);

  bool Load(int user);
  int User() const { return user_; }

  // The value of a key (its default when the row is missing); Flag is true for 1.
  int Key(int key) const;
  bool Flag(int key) const { return Key(key) == 1; }
  // Changes a value in memory only (the settings dialog; stored by SaveSettings or StoreAll).
  void Set(int key, int value);

  // Writes the keys the settings dialog edits, in one transaction.
  bool SaveSettings();
  // Replaces every row of the target user by this object's values and user 2's texts.
  bool StoreAll(int target_user);
  // Writes one key now.
  bool SetKey(int key, int value);
  // Grade colours, keys 30 + n: white when the row is missing; SetColourKey edits an existing row only.
  int ColourKey(int n) const;
  bool SetColourKey(int n, int value);

  // "缺省": the template user's keys, for showing in the dialog (nothing is stored).
  static TUserConfig LoadDefaults(TAdoChannel& channel);
  // "保存为缺省": this object's values become the template user's rows, which users created
  // later receive; existing users keep theirs.
  bool SaveAsDefault() { return StoreAll(kConfigTemplateUser); }
  // A new user's keys: the template's values, study-time counters cleared, in one transaction.
  static bool CopyDefaultsTo(TAdoChannel& channel, int new_user);

  static int DefaultValue(int key);
  // The value a stored number reads as (keys 17, 66, 67, 68 have rules).
  static int ReadRule(int key, int stored);
  // Keys 1 to 85 and 101 to 106.
  static const std::vector<int>& StoredKeys();
  // The keys the settings dialog edits: 1 to 29, 41, 42 and 64 to 71.
  static const std::vector<int>& SettingsKeys();

 private:
  bool WriteKeys(const std::vector<int>& keys);

  TAdoChannel& channel_;
  int user_ = 0;
  std::map<int, int> values_;
};

}  // namespace zidezo
