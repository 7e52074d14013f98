#include "learners/NewInstallation.h"

#include <stdexcept>

#include "data/AdoChannel.h"
#include "learners/DataCenter.h"
#include "learners/Library.h"
#include "learners/UserBook.h"

namespace zidezo {
namespace {

bool AddLibrary(const DataPaths& staged, std::string& error) {
  TAdoChannel config, examples;
  if (!config.OpenDatabase(staged.ConfigDatabase().string()) || !examples.OpenDatabase(staged.ExampleDatabase().string())) {
    error = config.LastError() + examples.LastError();
    return false;
  }
  TLibraryWriter writer(config, &examples);
  try {
    const bool ok = config.InTransaction([&] {
      return examples.InTransaction([&] {
        LoadShippedLibrary(writer, ReferenceDataDir());
        return true;
      });
    });
    if (!ok) error = config.LastError();
    return ok;
  } catch (const std::exception& failure) {
    error = failure.what();
    return false;
  }
}

// The ready learner: an administrator with an empty password whose first word book is the first
// library word book, made through the same path as every other user.
bool AddReadyLearner(const DataPaths& staged, std::string& error) {
  TDataCenter center(staged);
  if (!center.Open(error)) return false;
  auto user = center.NewUser();
  if (!user) {
    error = "无法分配用户编号：" + center.Channel().LastError();
    return false;
  }
  TUserFields fields;
  fields.name = kReadyLearnerName;
  fields.real_name = kReadyLearnerName;
  fields.administrator = true;
  if (!user->Save(fields)) {
    error = center.Channel().LastError();
    return false;
  }
  TUser* learner = center.InitialiseNewUser(std::move(user), error);
  if (learner == nullptr) return false;
  for (const TLibraryBook& library : LibraryBooks(center.Channel())) {
    if (library.kind != kWordBook) continue;
    TUserBook* book = learner->AddBook(kWordBook, library.name, false, 1, kWordDefaultsBook, learner->Number(), error);
    if (book == nullptr || !book->AddBookContents(kWordBook, book->Number(), library.number) || !learner->SaveBookOrder()) {
      if (error.empty()) error = center.Channel().LastError();
      return false;
    }
    break;
  }
  return true;
}

int Count(TAdoChannel& channel, const std::string& sql, const SqlParams& params = {}) {
  return static_cast<int>(channel.QueryInteger(sql, params).value_or(-1));
}

void CheckContent(TAdoChannel& channel, InstallationReport& report) {
  auto problem = [&](const std::string& text) { report.problems.push_back("Config.db：" + text); };
  for (int user : {kTemplateUser, kCounterUser}) {
    if (Count(channel, "select count(*) from USERS where User_ID = ?", {Int(user)}) != 1) {
      problem("缺少模板用户 " + std::to_string(user));
    }
  }
  const int keys = Count(channel, "select count(*) from Config where USER_ID = ?", {Int(kTemplateUser)});
  if (keys < static_cast<int>(TUserConfig::StoredKeys().size())) {
    problem("模板用户 2 的配置不全（" + std::to_string(keys) + " 个键）");
  }
  for (int book : {kWordDefaultsBook, kSentenceDefaultsBook}) {
    if (Count(channel, "select count(*) from UserBookConfig where User_ID = ? and USERBOOK_ID = ?", {Int(kCounterUser), Int(book)}) <= 0) {
      problem("模板用户 116 缺少书本 " + std::to_string(book) + " 的缺省配置");
    }
  }
  for (const TLibraryBook& book : LibraryBooks(channel)) {
    const char* table = book.kind == kSentenceBook ? "Sentences" : "Words";
    const int items = Count(channel, std::string("select count(*) from ") + table + " where BOOK_ID = ?", {Int(book.number)});
    const int missing = book.kind == kSentenceBook
                            ? Count(channel, "select count(*) from Sentences s where BOOK_ID = ? and not exists (select 1 from TotalSentences t where t.Sentence_ID = s.Sentence_ID)", {Int(book.number)})
                            : Count(channel, "select count(*) from Words w where BOOK_ID = ? and not exists (select 1 from TotalWords t where t.WORD_ID = w.REFERENCE_ID)", {Int(book.number)});
    if (items <= 0) problem("词库书本 " + book.name + " 是空的");
    if (missing != 0) problem("词库书本 " + book.name + " 有 " + std::to_string(missing) + " 个条目在词库中不存在");
  }
  const auto learner = channel.QueryInteger("select User_ID from USERS where USER_NAME = ?", {Text(kReadyLearnerName)});
  if (!learner) {
    problem(std::string("缺少用户") + kReadyLearnerName);
  } else if (Count(channel, "select count(*) from USERBOOKS where USER_ID = ? and Deletable = 1 and Category = 1", {Int(*learner)}) <= 0 ||
             Count(channel, "select count(*) from Zidezo where User_ID = ?", {Int(*learner)}) <= 0) {
    problem(std::string("用户") + kReadyLearnerName + "没有可背的书本");
  }
}

}  // namespace

bool EnsureInstallation(const DataPaths& paths, std::string& error, const ProgressCallback& progress) {
  bool already_installed = false;
  auto populate = [](const DataPaths& staged, std::string& why) { return AddLibrary(staged, why) && AddReadyLearner(staged, why); };
  return CreateInstallation(paths, error, already_installed, progress, populate);
}

InstallationReport CheckInstallationContent(const DataPaths& paths) {
  InstallationReport report = CheckInstallation(paths);
  if (!report.Healthy()) return report;
  TAdoChannel channel;
  if (!channel.OpenReadOnly(paths.ConfigDatabase().string())) {
    report.problems.push_back("Config.db：" + channel.LastError());
    return report;
  }
  CheckContent(channel, report);
  report.lines.push_back(report.Healthy() ? "参考内容：正常" : "参考内容：有问题");
  return report;
}

}  // namespace zidezo
