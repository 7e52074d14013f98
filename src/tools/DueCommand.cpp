// zidezo-admin due: a learner's workload in one book, mode by mode.
#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "AdminCommand.h"
#include "base/Clock.h"
#include "data/AdoChannel.h"
#include "learners/DataCenter.h"
#include "learners/UserBook.h"
#include "reciting/ReviewSchedule.h"

namespace zidezo::admin {
namespace {

constexpr const char* kUsage = "用法：zidezo-admin due USER BOOK [--home DIR] [--at DAYNUMBER]\n";

bool Names(const std::string& given, int number, const std::string& name) {
  return given == name || given == std::to_string(number);
}

TUser* FindLearner(TDataCenter& center, const std::string& given) {
  for (TUser* learner : center.Learners()) {
    if (Names(given, learner->Number(), learner->Name())) return learner;
  }
  return nullptr;
}

TUserBook* FindBook(const TUser& user, const std::string& given) {
  for (const auto* list : {&user.WordBooks(), &user.SentenceBooks()}) {
    for (const auto& book : *list) {
      if (Names(given, book->Number(), book->Name())) return book.get();
    }
  }
  return nullptr;
}

// The whole text must be a day number (a fraction gives the time of day).
std::optional<double> ParseDayNumber(const std::string& text) {
  double value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

int Due(const Arguments& arguments) {
  if (arguments.positional.size() != 2) {
    std::cerr << kUsage;
    return 2;
  }
  std::optional<double> at;
  if (arguments.options.count("at") > 0) {
    at = ParseDayNumber(arguments.Option("at"));
    if (!at) {
      std::cerr << "--at 需要一个日期数（从 1899-12-30 起的天数，例如 45000.5）：" << arguments.Option("at") << "\n" << kUsage;
      return 2;
    }
  }
  TDataCenter center(DataPaths{HomeOf(arguments)});
  std::string error;
  if (!center.Open(error)) {
    std::cerr << "无法打开安装：" << error << "\n";
    return 1;
  }
  TUser* user = FindLearner(center, arguments.positional[0]);
  if (user == nullptr) {
    std::cerr << "没有用户：" << arguments.positional[0] << "\n";
    return 1;
  }
  TUserBook* book = FindBook(*user, arguments.positional[1]);
  if (book == nullptr) {
    std::cerr << "用户" << user->Name() << "没有书本：" << arguments.positional[1] << "\n";
    return 1;
  }
  // Counting reads the book as it is: no activation, so nothing is written.
  if (at) SetProgramClock(std::make_shared<ManualClock>(*at));
  const auto total = center.Channel().QueryInteger("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ?",
                                                   {Int(user->Number()), Int(book->Number())});
  if (!total) {
    std::cerr << "无法读取书本的条目：" << center.Channel().LastError() << "\n";
    return 1;
  }
  std::cout << "书本 " << book->Number() << "「" << book->Name() << "」：" << *total << " 个条目\n";
  for (int mode = 0; mode < kBookModeCount; ++mode) {
    const auto count = CountSelection(*book, mode, &error);
    if (!count) {
      std::cerr << error << "\n";
      return 1;
    }
    std::cout << BookModeName(mode) << " " << *count << "\n";
  }
  return 0;
}

const AdminCommand due_command("due", "due USER BOOK [--home DIR] [--at DAYNUMBER]  各取词方式下书本要背的条目数",
                               {"home", "at"}, Due);

}  // namespace
}  // namespace zidezo::admin
