// Learners: creating a user, filling a book from a 100,000-word library book, one page of 50
// items, and importing a 100,000-word list.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "data/AdoChannel.h"
#include "learners/DataCenter.h"
#include "learners/Library.h"
#include "learners/NewInstallation.h"
#include "learners/UserBook.h"

namespace {

using namespace zidezo;
namespace fs = std::filesystem;

constexpr int kWords = 100000;

fs::path BenchFolder(const char* name) {
  auto folder = fs::temp_directory_path() / (std::string(name) + std::to_string(getpid()));
  fs::remove_all(folder);
  return folder;
}

fs::path WriteWordList(const fs::path& folder) {
  fs::create_directories(folder);
  const auto file = folder / "words.txt";
  std::ofstream out(file);
  for (int i = 0; i < kWords; ++i) {
    out << "benchword" << i << "\tˈwɜːd\tn. 单词" << i << "\tThis is word " << i << ".\t这是单词。\n";
  }
  return file;
}

// One installation with a 100,000-word library book, shared by the benchmarks.
struct Installation {
  Installation() : folder(BenchFolder("zidezo-bench-learners")), paths{folder / "home"} {
    std::string error;
    EnsureInstallation(paths, error);
    list = WriteWordList(folder);
    center = std::make_unique<TDataCenter>(paths);
    center->Open(error);
    library_book = Import();
  }
  ~Installation() {
    center.reset();
    fs::remove_all(folder);
  }
  int Import() {
    TAdoChannel& channel = center->Channel();
    TLibraryWriter writer(channel, nullptr);
    TImportCounts counts;
    const auto words = ReadWordList(list);
    channel.InTransaction([&] {
      counts = writer.AddWordBook({writer.NextBookNumber(1), 1, "bench", "bench"}, words);
      return true;
    });
    return counts.book;
  }
  fs::path folder;
  DataPaths paths;
  fs::path list;
  std::unique_ptr<TDataCenter> center;
  int library_book = 0;
};

Installation& Shared() {
  static Installation installation;
  return installation;
}

void CreateUser(benchmark::State& state) {
  TDataCenter& center = *Shared().center;
  int made = 0;
  for (auto _ : state) {
    auto user = center.NewUser();
    TUserFields fields;
    fields.name = "bench" + std::to_string(made++) + "-" + std::to_string(getpid());
    user->Save(fields);
    std::string error;
    benchmark::DoNotOptimize(center.InitialiseNewUser(std::move(user), error));
  }
}
BENCHMARK(CreateUser)->Unit(benchmark::kMillisecond);

void FillBookWith100000Words(benchmark::State& state) {
  Installation& installation = Shared();
  TUser* user = installation.center->Learners().front();
  for (auto _ : state) {
    std::string error;
    TUserBook* book = user->AddBook(kWordBook, "fill", false, 1, kWordDefaultsBook, user->Number(), error);
    benchmark::DoNotOptimize(book->AddBookContents(kWordBook, book->Number(), installation.library_book));
    state.PauseTiming();
    user->RemoveBook(book);
    state.ResumeTiming();
  }
}
BENCHMARK(FillBookWith100000Words)->Unit(benchmark::kMillisecond)->Iterations(3);

void LoadOnePageOf50(benchmark::State& state) {
  Installation& installation = Shared();
  TUser* user = installation.center->Learners().front();
  std::string error;
  TUserBook* book = user->AddBook(kWordBook, "page", false, 1, kWordDefaultsBook, user->Number(), error);
  book->AddBookContents(kWordBook, book->Number(), installation.library_book);
  installation.center->Channel().OpenNamedQuery("Page", std::string(kWordItemSelect) + " order by recite.Word_Index",
                                                {Int(user->Number()), Int(book->Number())});
  int page = 0;
  for (auto _ : state) {
    auto items = user->LoadItemPage("Page", 50, true, *book, false, page++ % 2000);
    benchmark::DoNotOptimize(items);
  }
  user->RemoveBook(book);
}
BENCHMARK(LoadOnePageOf50)->Unit(benchmark::kMicrosecond);

void Import100000Words(benchmark::State& state) {
  Installation& installation = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(installation.Import());
}
BENCHMARK(Import100000Words)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
