#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "script/AbilityProgram.h"

namespace {

std::string Shipped(const char* name) {
  std::ifstream file(std::string(ZIDEZO_SOURCE_DATA_DIR) + "/algorithms/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void BM_CompileAbility(benchmark::State& state) {
  zidezo::TAbilityProgram program(Shipped("ability.txt"));
  for (auto _ : state) {
    program.Compile();
    benchmark::DoNotOptimize(program.Code().data());
  }
}
BENCHMARK(BM_CompileAbility);

template <class Program>
void RunOne(benchmark::State& state, const char* file) {
  Program program(Shipped(file));
  program.Compile();
  int answer = 0;
  for (auto _ : state) {
    // Fresh inputs, as every recorded answer brings.
    program.SetCurrentTime(45000.0 + answer);
    program.SetLastReciteTime(45000.0 + answer - 1.01);
    program.SetState(answer % 3 == 0 ? 2 : 1);
    program.SetAbility1(2);
    program.SetSpeed(12);
    program.SetState1(1);
    if constexpr (requires { program.SetAbility(3); }) program.SetAbility(3);
    program.Run();
    benchmark::DoNotOptimize(program.GetResult());
    ++answer;
  }
}
void BM_RunAbility(benchmark::State& state) { RunOne<zidezo::TAbilityProgram>(state, "ability.txt"); }
void BM_RunSpeed(benchmark::State& state) { RunOne<zidezo::TSpeedProgram>(state, "speed.txt"); }
BENCHMARK(BM_RunAbility);
BENCHMARK(BM_RunSpeed);

}  // namespace

BENCHMARK_MAIN();
