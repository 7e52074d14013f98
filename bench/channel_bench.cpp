// The database channel: reading a large result by field names, and committing single-row updates.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "data/AdoChannel.h"

namespace {

using namespace zidezo;

constexpr int kRows = 100000;

std::string BenchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()) + ".db")).string();
}

// A 15-column table shaped like the reciting records.
void Fill(TAdoChannel& channel) {
  channel.ExecScript(
      "CREATE TABLE Zidezo (User_ID INTEGER, BOOK_ID INTEGER, REFERENCE_ID INTEGER, BOOK_INDEX INTEGER,"
      " WORD_NAME TEXT COLLATE NOCASE, Word_Index INTEGER, Word_Frequency INTEGER, RANDOM_NUM INTEGER,"
      " WORD_ROUND INTEGER, ABILITY INTEGER, State INTEGER, ABILITY2 INTEGER, Speed INTEGER,"
      " UPDATE_DATE REAL, Real_Date REAL);"
      "CREATE INDEX ix ON Zidezo (User_ID, BOOK_ID, REFERENCE_ID);");
  channel.InTransaction([&] {
    for (int i = 0; i < kRows; ++i) {
      channel.RunSql("insert into Zidezo values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                     {Int(7), Int(1), Int(i), Int(1), Text("word" + std::to_string(i)), Int(i), Int(i % 5),
                      Int(i * 7919 % 100000), Int(i % 9), Int(i % 50), Int(i % 11), Int(0), Int(12),
                      Real(40544.0 + i / 1000.0), Real(40544.0)});
    }
    return true;
  });
}

class ChannelFixture : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    file = BenchFile("zidezo-bench-channel");
    std::filesystem::remove(file);
    channel = std::make_unique<TAdoChannel>();
    channel->CreateDatabase(file);
    Fill(*channel);
  }
  void TearDown(const benchmark::State&) override {
    channel.reset();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file + suffix);
  }
  std::string file;
  std::unique_ptr<TAdoChannel> channel;
};

BENCHMARK_DEFINE_F(ChannelFixture, Read100000RowsByFieldName)(benchmark::State& state) {
  for (auto _ : state) {
    TResultSet* rows = channel->OpenQuery("select * from Zidezo where User_ID = ? and BOOK_ID = ?", 1, {Int(7), Int(1)});
    std::int64_t sum = 0;
    double dates = 0;
    std::size_t letters = 0;
    for (rows->First(); !rows->Eof(); rows->Next()) {
      sum += rows->AsInteger("REFERENCE_ID") + rows->AsInteger("ability") + rows->AsInteger("Speed") +
             rows->AsInteger("word_round") + rows->AsInteger("RANDOM_NUM");
      dates += rows->AsFloat("UPDATE_DATE") + rows->AsFloat("Real_Date");
      letters += rows->AsText("WORD_NAME").size();
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(dates);
    benchmark::DoNotOptimize(letters);
    state.counters["rows"] = rows->RowCount();
    state.counters["snapshot_MB"] = rows->MemoryUsage() / 1e6;
  }
}
BENCHMARK_REGISTER_F(ChannelFixture, Read100000RowsByFieldName)->Unit(benchmark::kMillisecond);

BENCHMARK_DEFINE_F(ChannelFixture, SingleRowUpdateCommitted)(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    const bool ok = channel->ExecSql(
        "update Zidezo set ABILITY = ?, Speed = ?, UPDATE_DATE = ? where User_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?",
        {Int(i % 100), Int(12), Real(45000.25), Int(7), Int(1), Int(i % kRows)});
    benchmark::DoNotOptimize(ok);
    ++i;
  }
}
BENCHMARK_REGISTER_F(ChannelFixture, SingleRowUpdateCommitted)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
