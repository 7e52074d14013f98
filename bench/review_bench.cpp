// The review schedule on a large book: 100,000 records, 20,000 of them due.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "base/Clock.h"
#include "data/AdoChannel.h"
#include "learners/DataCenter.h"
#include "learners/NewInstallation.h"
#include "learners/UserBook.h"
#include "learners/Word.h"
#include "reciting/ReviewSchedule.h"

namespace {

using namespace zidezo;

constexpr int kRecords = 100000;
constexpr int kDueEvery = 5;  // every fifth record is due
constexpr int kFirstWord = 1000000;
constexpr int kPageSize = 50;
constexpr double kNow = 45000.5;

// One installation for all benchmarks, with the big book made by SQL directly.
class BigBook {
 public:
  BigBook() : home_(std::filesystem::temp_directory_path() / ("zidezo-bench-review-" + std::to_string(getpid()))) {
    SetProgramClock(std::make_shared<ManualClock>(kNow));
    std::filesystem::remove_all(home_);
    std::string error;
    if (!EnsureInstallation(DataPaths{home_}, error)) throw std::runtime_error(error);
    center_ = std::make_unique<TDataCenter>(DataPaths{home_});
    if (!center_->Open(error)) throw std::runtime_error(error);
    user_ = center_->Learners().front();
    book_ = user_->AddBook(kWordBook, "大书本", false, 1, kWordDefaultsBook, user_->Number(), error);
    if (book_ == nullptr) throw std::runtime_error(error);
    Fill();
    if (!book_->OpenForReciting(error)) throw std::runtime_error(error);
  }
  ~BigBook() {
    center_.reset();
    std::filesystem::remove_all(home_);
  }

  TUser& User() { return *user_; }
  TUserBook& Book() { return *book_; }
  TAdoChannel& Channel() { return center_->Channel(); }

 private:
  void Fill() {
    const char* numbers = "with recursive n(i) as (select 0 union all select i + 1 from n where i < ? - 1) ";
    const bool filled = Channel().ExecSqlList({
        {std::string(numbers) +
             "insert into TotalWords (WORD_ID, WORD_NAME, WORD_SYMBOL, WORD_TRANS, WORD_EXAMPLE, WORD_CLASS) "
             "select ? + i, 'word' || i, 'wɜːd', 'n. 单词，词语；第' || i || '个', "
             "'This is the example sentence of word ' || i || '.' || char(13) || '这是例句。', ',' from n",
         {Int(kRecords), Int(kFirstWord)}},
        {std::string(numbers) +
             "insert into Zidezo (User_ID, BOOK_ID, REFERENCE_ID, BOOK_INDEX, WORD_NAME, Word_Index, Word_Frequency, "
             "RANDOM_NUM, WORD_ROUND, ABILITY, State, ABILITY2, State2, ABILITY3, State3, Speed, UPDATE_DATE, Real_Date) "
             "select ?, ?, ? + i, 1, 'word' || i, i, i % 7, (i * 7919) % 100000, 3, 1, 1, 1, 1, 1, 1, 12, "
             "case when i % ? = 0 then ? - 1 else ? end, ? from n",
         {Int(kRecords), Int(user_->Number()), Int(book_->Number()), Int(kFirstWord), Int(kDueEvery), Real(kNow),
          Real(kNow), Real(kNow)}},
    });
    if (!filled) throw std::runtime_error(Channel().LastError());
  }

  std::filesystem::path home_;
  std::unique_ptr<TDataCenter> center_;
  TUser* user_ = nullptr;
  TUserBook* book_ = nullptr;
};

BigBook& Fixture() {
  static BigBook book;
  return book;
}

void OpenPlanSelectionAndFirstPage(benchmark::State& state) {
  BigBook& big = Fixture();
  std::size_t rows = 0, memory = 0;
  for (auto _ : state) {
    TResultSet* selection = SelectDueItems(big.Book(), "Search1");
    auto page = big.User().LoadItemPage("Search1", kPageSize, true, big.Book(), false, 0);
    benchmark::DoNotOptimize(page.data());
    rows = selection != nullptr ? static_cast<std::size_t>(selection->RowCount()) : 0;
    memory = selection != nullptr ? selection->MemoryUsage() : 0;
    if (page.size() != kPageSize) state.SkipWithError("the first page is not full");
  }
  state.counters["due_rows"] = static_cast<double>(rows);
  state.counters["selection_MB"] = static_cast<double>(memory) / (1024.0 * 1024.0);
}
BENCHMARK(OpenPlanSelectionAndFirstPage)->Unit(benchmark::kMillisecond);

// One answer per iteration, each committed with its history entry; the median of single answers
// is reported beside the mean.
void RecordOneAnswer(benchmark::State& state) {
  BigBook& big = Fixture();
  SelectDueItems(big.Book(), "Answers");
  auto items = big.User().LoadItemPage("Answers", kRecords / kDueEvery, true, big.Book(), false, 0);
  std::vector<double> times;
  std::size_t next = 0;
  std::string error;
  for (auto _ : state) {
    TWord& item = *items[next++ % items.size()];
    item.grade = 1 + static_cast<int>(next % 2);
    const auto start = std::chrono::steady_clock::now();
    const bool stored = RecordAnswer(big.Book(), item, error);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    if (!stored) state.SkipWithError(error.c_str());
  }
  if (!times.empty()) {
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
  }
}
BENCHMARK(RecordOneAnswer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
