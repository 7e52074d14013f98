#include "learners/UserBookConfig.h"

#include <algorithm>

#include "data/AdoChannel.h"

namespace zidezo {

namespace {

const std::string kNoText;

}  // namespace

TUserBookConfig::TUserBookConfig(TAdoChannel& channel) : channel_(channel) {}

const std::vector<int>& TUserBookConfig::GradeKeys() {
  static const std::vector<int> keys = {72, 73, 74, 75, 41, 45, 46, 47, 48, 49, BookKey::kAbilityLimit};
  return keys;
}

int TUserBookConfig::GradeKey(int grade) {
  if (grade < 1 || grade > BookKey::kRememberedGrade) return GradeKeys().front();
  return GradeKeys()[grade - 1];
}

int TUserBookConfig::CaptionKey(int grade) {
  const int within = ((grade % 11) + 11) % 11;
  return GradeKey(within == 0 ? BookKey::kRememberedGrade : within);
}

bool TUserBookConfig::IsGradeKey(int key) {
  const auto& keys = GradeKeys();
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

bool TUserBookConfig::Load(int user, int book) {
  user_ = user;
  book_ = book;
  values_.clear();
  texts_.clear();
  auto rows = channel_.Query(
      "select NUMBEREX, SEQUENCE, CHOICE from USERBOOKCONFIG where User_ID = ? and USERBOOK_ID = ? order by SEQUENCE",
      {Int(user), Int(book)});
  if (!rows) return false;
  for (; !rows->Eof(); rows->Next()) {
    const int key = rows->AsInt("SEQUENCE");
    values_[key] = rows->AsInt("NUMBEREX");
    texts_[key] = rows->AsText("CHOICE");
  }
  return true;
}

int TUserBookConfig::Key(int key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? 0 : found->second;
}

const std::string& TUserBookConfig::Text(int key) const {
  const auto found = texts_.find(key);
  return found == texts_.end() ? kNoText : found->second;
}

void TUserBookConfig::Set(int key, int value) { values_[key] = value; }

void TUserBookConfig::SetText(int key, const std::string& text) {
  texts_[key] = text;
  values_.try_emplace(key, 0);
}

bool TUserBookConfig::StoreAll(int user, int book) {
  // An object without keys would leave the book without any configuration.
  if (values_.empty()) return false;
  auto template_rows = channel_.Query(
      "select CHOICE, SEQUENCE from USERBOOKCONFIG where User_ID = ? and USERBOOK_ID = ? order by SEQUENCE",
      {Int(kBookTemplateUser), Int(kWordBookDefaults)});
  if (!template_rows) return false;
  std::map<int, std::string> template_text;
  for (; !template_rows->Eof(); template_rows->Next())
    template_text.emplace(template_rows->AsInt("SEQUENCE"), template_rows->AsText("CHOICE"));

  std::vector<SqlStatement> statements;
  statements.push_back({"delete from USERBOOKCONFIG where User_ID = ? and USERBOOK_ID = ?", {Int(user), Int(book)}});
  for (const auto& [key, value] : values_) {
    const auto from_template = template_text.find(key);
    const bool own_caption = IsGradeKey(key) && !Text(key).empty();
    const std::string& text =
        own_caption || from_template == template_text.end() ? Text(key) : from_template->second;
    statements.push_back(
        {"insert into USERBOOKCONFIG(NUMBEREX, USERBOOK_ID, SEQUENCE, CHOICE, User_ID) values (?, ?, ?, ?, ?)",
         {Int(value), Int(book), Int(key), zidezo::Text(text), Int(user)}});
  }
  return channel_.ExecSqlList(statements);
}

bool TUserBookConfig::SetKey(int user, int book, int value, int key) {
  const bool stored = channel_.ExecSqlList({
      {"update USERBOOKCONFIG set NUMBEREX = ? where User_ID = ? and USERBOOK_ID = ? and SEQUENCE = ?",
       {Int(value), Int(user), Int(book), Int(key)}},
      {"insert into USERBOOKCONFIG(NUMBEREX, USERBOOK_ID, SEQUENCE, CHOICE, User_ID) "
       "select ?, ?, ?, coalesce((select CHOICE from USERBOOKCONFIG where User_ID = ? and USERBOOK_ID = ? "
       "and SEQUENCE = ? limit 1), ''), ? "
       "where not exists (select 1 from USERBOOKCONFIG where User_ID = ? and USERBOOK_ID = ? and SEQUENCE = ?)",
       {Int(value), Int(book), Int(key), Int(kBookTemplateUser), Int(kWordBookDefaults), Int(key), Int(user),
        Int(user), Int(book), Int(key)}},
  });
  if (stored && user == user_ && book == book_) values_[key] = value;
  return stored;
}

bool TUserBookConfig::LoadDefaults(int user, const TUserBookConfig& book) {
  if (!Load(user, kWordBookDefaults)) return false;
  for (int key : {BookKey::kStudySecondsToday, BookKey::kStudySecondsTotal}) Set(key, book.Key(key));
  user_ = book.User();
  book_ = book.Book();
  return true;
}

bool TUserBookConfig::SaveAsDefault(int user) const {
  TUserBookConfig defaults = *this;
  defaults.Set(BookKey::kStudySecondsToday, 0);
  defaults.Set(BookKey::kStudySecondsTotal, 0);
  return defaults.StoreAll(user, kWordBookDefaults);
}

int TUserBookConfig::DefaultGrade() const {
  const int grade = Key(BookKey::kDefaultGrade);
  return grade == 0 ? BookKey::kRememberedGrade : grade;
}

int TUserBookConfig::DayOffset() const { return Key(BookKey::kUseDayOffset) == 1 ? Key(BookKey::kDayOffset) : 0; }

}  // namespace zidezo
