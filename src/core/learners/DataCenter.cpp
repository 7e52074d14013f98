#include "learners/DataCenter.h"

#include <algorithm>
#include <filesystem>

#include "data/Ini.h"
#include "learners/UserBook.h"

namespace zidezo {

namespace fs = std::filesystem;

TDataCenter::TDataCenter(DataPaths paths) : paths_(std::move(paths)) {
  SetDefaultSettingsFile(paths_.SettingsFile().string());
}

TDataCenter::~TDataCenter() = default;

bool TDataCenter::Open(std::string& error) {
  if (!channel_.OpenDatabase(paths_.ConfigDatabase().string())) {
    error = channel_.LastError();
    return false;
  }
  lookup_ = std::make_unique<TWordLookup>(channel_, paths_);
  auto version = channel_.Query("select * from Feature");
  if (!version) {
    error = "读不到数据库版本：" + channel_.LastError();
    return false;
  }
  major_version_ = version->AsInt("MajorVersion");
  minor_version_ = version->AsInt("MinorVersion");
  if (!LoadUsers(error)) return false;
  const auto learners = Learners();
  if (!learners.empty()) SelectUser(learners[static_cast<std::size_t>(LastActiveLearnerIndex())]);
  return true;
}

bool TDataCenter::LoadUsers(std::string& error) {
  users_.clear();
  current_ = nullptr;
  auto rows = channel_.Query("select * from USERS order by User_ID");
  if (!rows) {
    error = "读不到用户表：" + channel_.LastError();
    return false;
  }
  for (rows->First(); !rows->Eof(); rows->Next()) {
    auto user = std::make_unique<TUser>(channel_, *this);
    user->FillFromRow(*rows);
    if (!user->IsTemplate()) {
      user->LoadBooks();
      ForceUserFolders(*user);
    }
    users_.push_back(std::move(user));
  }
  return true;
}

void TDataCenter::ForceUserFolders(const TUser& user) const {
  std::error_code ignored;
  for (const auto& folder : {user.DesktopFolder(), user.BookFolder(), user.MusicFolder()}) {
    fs::create_directories(folder, ignored);
  }
}

std::vector<TUser*> TDataCenter::Learners() const {
  std::vector<TUser*> learners;
  for (const auto& user : users_) {
    if (!user->IsTemplate()) learners.push_back(user.get());
  }
  return learners;
}

int TDataCenter::LastActiveLearnerIndex() const {
  const auto learners = Learners();
  int best = 0;
  int best_sequence = 0;
  for (std::size_t i = 0; i < learners.size(); ++i) {
    if (learners[i]->ActiveSequence() > best_sequence) {
      best_sequence = learners[i]->ActiveSequence();
      best = static_cast<int>(i);
    }
  }
  return best;
}

TUser* TDataCenter::FindUser(int number) const {
  for (const auto& user : users_) {
    if (user->Number() == number) return user.get();
  }
  return nullptr;
}

bool TDataCenter::SelectUser(TUser* user) {
  if (user == nullptr) return false;
  current_ = user;
  return true;
}

bool TDataCenter::Login(TUser* user, std::string_view password) {
  if (user == nullptr || !user->CheckPassword(password)) return false;
  SelectUser(user);
  if (!user->LoggedIn()) return false;
  MarkUserActive(user->Number());
  return true;
}

std::unique_ptr<TUser> TDataCenter::NewUser() {
  int number = 0;
  const bool ok = channel_.InTransaction([&] {
    if (!channel_.RunSql("update USERS set UserMaxID = UserMaxID + 1 where User_ID = ?", {Int(kCounterUser)}) ||
        channel_.Changes() == 0) {
      return false;
    }
    number = static_cast<int>(
        channel_.QueryInteger("select Max(UserMaxID) from USERS where User_ID = ?", {Int(kCounterUser)}).value_or(0));
    return number > 0;
  });
  if (!ok) return nullptr;
  auto user = std::make_unique<TUser>(channel_, *this);
  user->number_ = number;
  return user;
}

bool TDataCenter::CopyTemplateRows(int user, std::string& error) {
  const std::vector<SqlStatement> copies = {
      CopyRecordsStatement(kCounterUser, kHelpBook, user, kHelpBook, kHelpBook, 0),
      {"insert into UserWordInfo (User_ID, Word_ID, Relation_Count, CategoryContent, ReciteCount, History) select ?, "
       "Word_ID, Relation_Count, CategoryContent, ReciteCount, History from UserWordInfo where User_ID = ?",
       {Int(user), Int(kTemplateUser)}},
      {"insert into Relation (USER_ID, RELATION_ID, RELATION_CONTENT, Hardness) select ?, RELATION_ID, RELATION_CONTENT, "
       "Hardness from Relation where USER_ID = ?",
       {Int(user), Int(kTemplateUser)}},
      {"insert into RelationWord (USER_ID, RELATION_ID, REFERENCE_ID) select ?, RELATION_ID, REFERENCE_ID from "
       "RelationWord where USER_ID = ?",
       {Int(user), Int(kTemplateUser)}},
      {"insert into PressCount (UserID, LayerID, LayerKey, ClickCount, Visible) select ?, LayerID, LayerKey, 0, Visible "
       "from PressCount where UserID = ? order by LayerID",
       {Int(user), Int(kCounterUser)}},
  };
  for (const SqlStatement& copy : copies) {
    if (!channel_.RunSql(copy.sql, copy.params)) {
      error = channel_.LastError();
      return false;
    }
  }
  return true;
}

TUser* TDataCenter::InitialiseNewUser(std::unique_ptr<TUser> user, std::string& error) {
  if (!user) {
    error = "没有新用户";
    return nullptr;
  }
  const int number = user->Number();
  struct NoteBook {
    int kind;
    const char* name;
    int template_book;
    int deletable;
  };
  // The sentence note book takes the sentence defaults (book 0), unlike the original word default.
  const NoteBook note_books[] = {{kWordBook, "阅读笔记本", kWordDefaultsBook, 0},
                                 {kWordBook, "听说笔记本", kWordDefaultsBook, 0},
                                 {kSentenceBook, "句子笔记本", kSentenceDefaultsBook, 0},
                                 {kWordBook, "例子笔记本", kWordDefaultsBook, 2}};
  const bool ok = channel_.InTransaction([&] {
    if (!channel_.RunSql("insert into Interface (USER_ID, Style, SEQUENCE, CHOICE, NUMBEREX, EXPLAIN) select ?, Style, "
                         "SEQUENCE, CHOICE, NUMBEREX, EXPLAIN from Interface where USER_ID = ?",
                         {Int(number), Int(kCounterUser)})) {
      error = channel_.LastError();
      return false;
    }
    user->AddBook(kWordBook, "", true, 0, kWordDefaultsBook, kCounterUser, error);
    if (!error.empty()) return false;
    user->AddBook(kSentenceBook, "", true, 0, kSentenceDefaultsBook, kCounterUser, error);
    if (!error.empty()) return false;
    for (const NoteBook& book : note_books) {
      user->AddBook(book.kind, book.name, false, book.deletable, book.template_book, kCounterUser, error);
      if (!error.empty()) return false;
    }
    if (!TUserConfig::CopyDefaultsTo(channel_, number) || !ResetStudyTime(number) || !CopyTemplateRows(number, error)) {
      if (error.empty()) error = channel_.LastError();
      return false;
    }
    return true;
  });
  if (!ok) {
    if (error.empty()) error = channel_.LastError();
    return nullptr;
  }
  user->LoadBooks();
  ForceUserFolders(*user);
  TUser* added = user.get();
  users_.push_back(std::move(user));
  std::sort(users_.begin(), users_.end(), [](const auto& a, const auto& b) { return a->Number() < b->Number(); });
  return added;
}

bool TDataCenter::DeleteUser(TUser* user, std::string& why) {
  if (user == nullptr) {
    why = "没有选中用户。";
    return false;
  }
  if (user->IsTemplate()) {
    why = "模板用户不能删除。";
    return false;
  }
  if (user == current_ && user->IsLoggedIn()) {
    why = "不能删除正在使用的用户，请先切换到其他用户。";
    return false;
  }
  const int number = user->Number();
  std::vector<SqlStatement> deletes;
  for (const char* table : {"USERS", "USERBOOKS", "Zidezo", "Config", "UserBookConfig", "Interface", "UserWordInfo",
                            "UserSentenceInfo", "Relation", "RelationWord", "Category", "TotalSentences",
                            "CategoryHardness", "LinkWords"}) {
    deletes.push_back({std::string("delete from ") + table + " where User_ID = ?", {Int(number)}});
  }
  deletes.push_back({"delete from PressCount where UserID = ?", {Int(number)}});
  if (!channel_.ExecSqlList(deletes)) {
    why = "删除用户失败：" + channel_.LastError();
    return false;
  }
  // The folder goes only after the rows, so a failure never leaves rows without their folder.
  std::error_code ignored;
  fs::remove_all(paths_.UserFolder(number), ignored);
  if (current_ == user) current_ = nullptr;
  users_.erase(std::remove_if(users_.begin(), users_.end(), [&](const auto& u) { return u.get() == user; }), users_.end());
  return true;
}

bool TDataCenter::MarkUserActive(int user) {
  const int next = static_cast<int>(channel_.QueryInteger("select Max(Active_Sequence) from USERS").value_or(0)) + 1;
  if (!channel_.ExecSql("update USERS set Active_Sequence = ? where User_ID = ?", {Int(next), Int(user)})) return false;
  if (TUser* found = FindUser(user)) found->active_sequence_ = next;
  return true;
}

std::vector<int> TDataCenter::AllUserNumbers() {
  std::vector<int> numbers{-1};
  auto rows = channel_.Query("select User_ID from USERS order by User_ID");
  if (rows) {
    for (rows->First(); !rows->Eof(); rows->Next()) numbers.push_back(rows->AsInt("User_ID"));
  }
  return numbers;
}

bool TDataCenter::ResetStudyTime(int user) {
  return channel_.ExecSql("update Config set NUMBEREX = 0 where USER_ID = ? and 43 <= SEQUENCE and SEQUENCE <= 62", {Int(user)});
}

TVoices& TDataCenter::Voices() {
  if (!voices_) voices_ = std::make_unique<TVoices>();
  return *voices_;
}

void TDataCenter::ApplyVoiceSettings(const TUserConfig& config) {
  TVoices& voices = Voices();
  if (!voices.Available() || voices.Count() == 0) return;
  voices.Select(config.Key(UserKey::kVoice));
  voices.SetRate(config.Key(UserKey::kSpeechRate));
  voices.SetVolume(config.Key(UserKey::kSpeechVolume));
}

void TDataCenter::AddRecentFile(int user, const std::string& list, const std::string& path) {
  zidezo::AddRecentFile(paths_.SettingsFile().string(), user, list, path);
}

std::vector<std::string> TDataCenter::RecentFiles(int user, const std::string& list) {
  return zidezo::RecentFiles(paths_.SettingsFile().string(), user, list);
}

}  // namespace zidezo
