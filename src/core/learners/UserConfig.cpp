#include "learners/UserConfig.h"

#include <algorithm>

#include "data/AdoChannel.h"

namespace zidezo {

namespace {

std::vector<int> KeyRange(std::vector<int> keys, int first, int last) {
  for (int key = first; key <= last; ++key) keys.push_back(key);
  return keys;
}

// Keys 30 to 40 are the grade colours, addressed by grade mod 11.
int ColourKeyOf(int n) { return UserKey::kGradeColourBase + ((n % 11) + 11) % 11; }

// Writes a value whether or not the row exists yet: a missing row is created with the
// template user's text, so a setting chosen by the user is never dropped silently.
std::vector<SqlStatement> UpsertKey(int user, int key, int value) {
  return {
      {"update Config set NUMBEREX = ? where USER_ID = ? and SEQUENCE = ?", {Int(value), Int(user), Int(key)}},
      {"insert into Config(NUMBEREX, USER_ID, SEQUENCE, CHOICE) "
       "select ?, ?, ?, coalesce((select CHOICE from Config where USER_ID = ? and SEQUENCE = ? limit 1), '') "
       "where not exists (select 1 from Config where USER_ID = ? and SEQUENCE = ?)",
       {Int(value), Int(user), Int(key), Int(kConfigTemplateUser), Int(key), Int(user), Int(key)}},
  };
}

}  // namespace

TUserConfig::TUserConfig(TAdoChannel& channel) : channel_(channel) {}

const std::vector<int>& TUserConfig::StoredKeys() {
  static const std::vector<int> keys =
      KeyRange(KeyRange({}, 1, 85), UserKey::kFirstPrintSetting, UserKey::kLastPrintSetting);
  return keys;
}

const std::vector<int>& TUserConfig::SettingsKeys() {
  static const std::vector<int> keys = KeyRange(KeyRange({}, 1, 29), UserKey::kReserved41, UserKey::kReadingFont);
  static const std::vector<int> with_exercises =
      KeyRange(keys, UserKey::kExerciseAnswerColour, UserKey::kExaminationMode);
  return with_exercises;
}

int TUserConfig::DefaultValue(int key) {
  using namespace UserKey;
  switch (key) {
    case kUseRelationColours:
    case kSpeakOnClick:
    case kShowReciteState:
    case kShowExampleTranslation:
      return 1;
    case kRelationColour:
      return 16711680;
    case kSecondRelationColour:
      return 8388736;
    case kFirstColumnWidth:
      return 140;
    case kFontSize:
      return 12;
    case kSubtitleHeight:
      return kMinimumSubtitleHeight;
    case kSubtitleFontSize:
      return kMinimumSubtitleFontSize;
    case kTypedAnswerBackground:
      return kDefaultTypedAnswerBackground;
    default:
      if (key >= kGradeColourBase && key <= kGradeColourBase + 10) return kWhite;
      return 0;
  }
}

int TUserConfig::ReadRule(int key, int stored) {
  using namespace UserKey;
  switch (key) {
    case kTextColour:
      return stored == -1 ? 0 : stored;
    case kSubtitleHeight:
      return std::max(stored, kMinimumSubtitleHeight);
    case kSubtitleFontSize:
      return std::max(stored, kMinimumSubtitleFontSize);
    case kTypedAnswerBackground:
      return stored == 0 ? kDefaultTypedAnswerBackground : stored;
    default:
      return stored;
  }
}

bool TUserConfig::Load(int user) {
  user_ = user;
  values_.clear();
  auto rows = channel_.Query("select NUMBEREX, SEQUENCE from CONFIG where USER_ID = ? order by SEQUENCE", {Int(user)});
  if (!rows) return false;
  const auto& stored = StoredKeys();
  for (; !rows->Eof(); rows->Next()) {
    const int key = rows->AsInt("SEQUENCE");
    if (!std::binary_search(stored.begin(), stored.end(), key)) continue;
    values_[key] = ReadRule(key, rows->AsInt("NUMBEREX"));
  }
  return true;
}

int TUserConfig::Key(int key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? DefaultValue(key) : found->second;
}

void TUserConfig::Set(int key, int value) { values_[key] = value; }

bool TUserConfig::WriteKeys(const std::vector<int>& keys) {
  std::vector<SqlStatement> statements;
  for (int key : keys) {
    auto pair = UpsertKey(user_, key, Key(key));
    statements.insert(statements.end(), pair.begin(), pair.end());
  }
  return channel_.ExecSqlList(statements);
}

bool TUserConfig::SaveSettings() { return WriteKeys(SettingsKeys()); }

bool TUserConfig::SetKey(int key, int value) {
  values_[key] = value;
  return WriteKeys({key});
}

bool TUserConfig::StoreAll(int target_user) {
  auto texts = channel_.Query("select CHOICE, SEQUENCE from CONFIG where USER_ID = ? order by SEQUENCE",
                              {Int(kConfigTemplateUser)});
  if (!texts) return false;
  std::map<int, std::string> choice;
  for (; !texts->Eof(); texts->Next()) choice.emplace(texts->AsInt("SEQUENCE"), texts->AsText("CHOICE"));

  std::vector<SqlStatement> statements;
  statements.push_back({"delete from CONFIG where USER_ID = ?", {Int(target_user)}});
  for (int key : StoredKeys()) {
    const auto text = choice.find(key);
    statements.push_back({"insert into CONFIG(NUMBEREX, USER_ID, SEQUENCE, CHOICE) values (?, ?, ?, ?)",
                          {Int(Key(key)), Int(target_user), Int(key),
                           Text(text == choice.end() ? std::string() : text->second)}});
  }
  return channel_.ExecSqlList(statements);
}

int TUserConfig::ColourKey(int n) const {
  const auto value = channel_.QueryInteger("select NUMBEREX from Config where USER_ID = ? and SEQUENCE = ?",
                                           {Int(user_), Int(ColourKeyOf(n))});
  return value ? static_cast<int>(*value) : UserKey::kWhite;
}

bool TUserConfig::SetColourKey(int n, int value) {
  const int key = ColourKeyOf(n);
  if (!channel_.ExecSql("update Config set NUMBEREX = ? where USER_ID = ? and SEQUENCE = ?",
                        {Int(value), Int(user_), Int(key)}))
    return false;
  if (channel_.Changes() == 0) return false;
  values_[key] = value;
  return true;
}

TUserConfig TUserConfig::LoadDefaults(TAdoChannel& channel) {
  TUserConfig defaults(channel);
  defaults.Load(kConfigTemplateUser);
  return defaults;
}

bool TUserConfig::CopyDefaultsTo(TAdoChannel& channel, int new_user) {
  TUserConfig config(channel);
  if (!config.Load(kConfigTemplateUser)) return false;
  for (int key = UserKey::kFirstStudyTime; key <= UserKey::kLastStudyTime; ++key) config.Set(key, 0);
  return config.StoreAll(new_user);
}

}  // namespace zidezo
