#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "script/AbilityProgram.h"

namespace zidezo {
namespace {

using testing::RunError;
using testing::RunScript;
using testing::ScriptedHost;
using testing::SteppingTimer;

const std::string kEndless = "var x: Integer;\r\nfunction Korvana: Integer; begin while true do x := 1; Result := 1; end;";
const std::string kLongRunQuestionSeen = std::string(kLongRunCaption) + "|" + kLongRunQuestion;

TEST(ScriptRunTime, RunErrorsCarryTheirMessages) {
  struct Case {
    std::string body;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"Result := 1 / 0;", "除数不能为零！"},
      {"Result := 1 div 0;", "除数不能为零！"},
      {"Result := 1 mod 0;", "除数不能为零！"},
      {"Result := Max(2147483647, 0) + Max(1, 0);", "整数运算溢出！"},
      {"Result := Max(65536, 0) * Max(65536, 0);", "整数运算溢出！"},
      {"Result := Round(IntPower(10, 300) * IntPower(10, 300));", "数值超出整数范围！"},
      {"Result := Round(Sqrt(0 - 1));", "不能对负数开平方！"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunError("function Korvana: Integer; begin " + c.body + " end;"), c.message) << c.body;
  }
}

TEST(ScriptRunTime, GlobalsAndLocalsKeepTheirValuesAcrossRuns) {
  TKorvanaProgram program(
      "var Runs: Integer;\r\nfunction Korvana: Integer;\r\nvar Kept: Integer;\r\n"
      "begin Runs := Runs + 1; Kept := Kept + 10; Result := Runs + Kept; end;");
  program.Compile();
  std::vector<int> results;
  for (int i = 0; i < 3; ++i) {
    program.Run();
    results.push_back(program.KorvanaResult());
  }
  EXPECT_EQ(results, (std::vector<int>{11, 22, 33}));
}

TEST(ScriptRunTime, SameInputsGiveTheSameResult) {
  TAbilityProgram program("function Korvana: Integer; begin Result := Ability1 + State; end;");
  program.Compile();
  program.SetAbility1(5);
  program.SetState(2);
  program.Run();
  const int first = program.GetResult();
  program.Run();
  EXPECT_EQ(program.GetResult(), first);
  EXPECT_EQ(first, 7);
}

TEST(ScriptRunTime, TimeGuardAsksAndCancelGoesOn) {
  TKorvanaProgram program(kEndless);
  program.Compile();
  ScriptedHost host;
  host.answers = {false, true};  // Cancel, then OK
  SteppingTimer timer(50);       // 50 ms per clock reading, one reading per 256 instructions
  program.SetHost(&host);
  program.SetTimer(&timer);
  try {
    program.Run();
    FAIL() << "a stopped run is no result";
  } catch (const ScriptError& error) {
    EXPECT_STREQ(error.what(), "算法运行被中止。");
  }
  ASSERT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(host.questions[0], kLongRunQuestionSeen);
  // Cancel restarted the count: the second question came another 3600 ms later.
  EXPECT_GT(timer.Now(), 2 * kLongRunMilliseconds);
  EXPECT_EQ(program.KorvanaResult(), 0);
}

TEST(ScriptRunTime, QuickRunsAskNothing) {
  TKorvanaProgram program("function Korvana: Integer; begin Result := 1; end;");
  program.Compile();
  ScriptedHost host;
  SteppingTimer timer(10000);
  program.SetHost(&host);
  program.SetTimer(&timer);
  program.Run();
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(program.KorvanaResult(), 1);
}

TEST(ScriptRunTime, StepLimitEndsRunawayRuns) {
  TKorvanaProgram program(kEndless);
  program.Compile();
  program.SetStepLimit(100000);
  try {
    program.Run();
    FAIL();
  } catch (const ScriptError& error) {
    EXPECT_STREQ(error.what(), "算法运行的步数超过了限制。");
  }
}

TEST(ScriptRunTime, RunawayRecursionAndStackGrowthAreErrors) {
  EXPECT_EQ(RunError("function F(N: Integer): Integer; begin Result := F(N + 1); end;\r\n"
                     "function Korvana: Integer; begin Result := F(1); end;"),
            "函数调用层次过深！");
  TKorvanaProgram program("function Korvana: Integer; begin while true do Max(1, 2); end;");
  program.Compile();
  try {
    program.Run();
    FAIL();
  } catch (const ScriptError& error) {
    EXPECT_STREQ(error.what(), "堆栈溢出！");
  }
}

TEST(ScriptRunTime, EveryRunStartsWithEmptyStacks) {
  // Results of calls made as statements stay on the stack only until the run ends.
  TKorvanaProgram program(
      "var i: Integer;\r\nfunction Korvana: Integer; begin for i := 1 to 99000 do begin Max(1, 2); end; Result := 1; end;");
  program.Compile();
  for (int run = 0; run < 3; ++run) EXPECT_NO_THROW(program.Run());
}

TEST(ScriptRunTime, ShowMessageAndShowBooleanGoThroughTheHost) {
  TKorvanaProgram program("function Korvana: Integer; begin ShowMessage(2.5); ShowBoolean(true); ShowMessage(Max(3, 1)); end;");
  program.Compile();
  ScriptedHost host;
  program.SetHost(&host);
  program.Run();
  ASSERT_EQ(host.messages.size(), 3u);
  EXPECT_EQ(host.messages[0], "2.5");
  EXPECT_EQ(host.messages[1], "True");
  EXPECT_EQ(host.messages[2], "3");
}

TEST(ScriptRunTime, InputsStartWithTheirInitialValuesAndSurviveCompiling) {
  TSpeedProgram program(
      "function Korvana: Integer; begin Result := State + StateValue + State1 + State2 + State3 + Ability1 + Ability2 + "
      "Ability3 + OccurTotalTime + ThisRoundOccurTime + Speed + Ability + Round(CurrentTime - LastReciteTime); end;");
  program.Compile();
  program.Run();
  EXPECT_EQ(program.GetResult(), 1 + 12 + 1 + 1 + 1 + 40 + 30 + 20 + 5 + 2 + 12 + 40 + 10);
  program.SetText(program.UserText());
  program.SetSpeed(100);
  program.SetAbility(0);
  program.SetCurrentTime(45000.0);
  program.SetLastReciteTime(45000.0);
  program.Compile();  // the book sets inputs first and compiles on first use
  program.Run();
  EXPECT_EQ(program.GetResult(), 1 + 12 + 1 + 1 + 1 + 40 + 30 + 20 + 5 + 2 + 100);
}

TEST(ScriptRunTime, ValuesKeepTheirKind) {
  // Number constants are floating values; Integer variables keep what they are given.
  EXPECT_EQ(RunScript("var n: Integer;\r\nfunction Korvana: Integer; begin n := 7 / 2; Result := n * 2; end;"), 7);
}

}  // namespace
}  // namespace zidezo
