// zidezo-admin users, books and import-words.
#include <iostream>

#include "AdminCommand.h"
#include "data/AdoChannel.h"
#include "learners/DataCenter.h"
#include "learners/Library.h"
#include "learners/UserBook.h"

namespace zidezo::admin {
namespace {

// Opens the data center of the command's installation; prints why not.
std::unique_ptr<TDataCenter> OpenCenter(const Arguments& arguments) {
  auto center = std::make_unique<TDataCenter>(DataPaths{HomeOf(arguments)});
  std::string error;
  if (!center->Open(error)) {
    std::cerr << "无法打开安装：" << error << "\n";
    return nullptr;
  }
  return center;
}

int Users(const Arguments& arguments) {
  auto center = OpenCenter(arguments);
  if (!center) return 1;
  std::cout << "编号\t用户名\t真实姓名\t管理员\n";
  for (TUser* user : center->Learners()) {
    std::cout << user->Number() << "\t" << user->Name() << "\t" << user->Fields().real_name << "\t"
              << (user->IsAdministrator() ? "是" : "否") << "\n";
  }
  return 0;
}

int Books(const Arguments& arguments) {
  if (arguments.positional.size() != 1) {
    std::cerr << "用法：zidezo-admin books USER [--home DIR]\n";
    return 2;
  }
  auto center = OpenCenter(arguments);
  if (!center) return 1;
  TUser* user = nullptr;
  for (TUser* learner : center->Learners()) {
    if (learner->Name() == arguments.positional[0] || std::to_string(learner->Number()) == arguments.positional[0]) user = learner;
  }
  if (user == nullptr) {
    std::cerr << "没有用户：" << arguments.positional[0] << "\n";
    return 1;
  }
  std::cout << "编号\t类型\t书名\t条目数\n";
  for (const auto* list : {&user->WordBooks(), &user->SentenceBooks()}) {
    for (const auto& book : *list) {
      const auto items = center->Channel().QueryInteger("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ?",
                                                        {Int(user->Number()), Int(book->Number())});
      std::cout << book->Number() << "\t" << (book->IsSentenceBook() ? "句子" : "单词") << "\t" << book->Name() << "\t"
                << items.value_or(0) << "\n";
    }
  }
  return 0;
}

int ImportWords(const Arguments& arguments) {
  const std::string name = arguments.Option("book");
  if (arguments.positional.size() != 1 || name.empty()) {
    std::cerr << "用法：zidezo-admin import-words FILE --book NAME [--home DIR]\n";
    return 2;
  }
  const DataPaths paths{HomeOf(arguments)};
  TAdoChannel config, examples;
  if (!config.OpenDatabase(paths.ConfigDatabase().string())) {
    std::cerr << "无法打开安装：" << config.LastError() << "\n";
    return 1;
  }
  const bool has_examples = examples.OpenDatabase(paths.ExampleDatabase().string());
  try {
    const auto words = ReadWordList(arguments.positional[0]);
    TLibraryWriter writer(config, has_examples ? &examples : nullptr);
    TImportCounts counts;
    auto import = [&] {
      counts = writer.AddWordBook({writer.NextBookNumber(kWordBook), kWordBook, "导入词表", name}, words);
      return true;
    };
    // The examples go in only together with the words.
    const bool ok = config.InTransaction([&] { return has_examples ? examples.InTransaction(import) : import(); });
    if (!ok) throw std::runtime_error(config.LastError());
    std::cout << "已创建词库书本 " << counts.book << "「" << name << "」：新增 " << counts.added << " 个单词，沿用 "
              << counts.reused << " 个已有单词。\n";
    return 0;
  } catch (const std::exception& failure) {
    std::cerr << "导入失败，没有导入任何单词：" << failure.what() << "\n";
    return 1;
  }
}

const AdminCommand users_command("users", "users [--home DIR]       列出用户", {"home"}, Users);
const AdminCommand books_command("books", "books USER [--home DIR]  列出用户的书本", {"home"}, Books);
const AdminCommand import_command("import-words", "import-words FILE --book NAME [--home DIR]  导入词表为新的词库书本",
                                  {"home", "book"}, ImportWords);

}  // namespace
}  // namespace zidezo::admin
