#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/KorvanaCodeMaker.h"
#include "script/ScriptHost.h"
#include "script/TokenReader.h"

namespace zidezo {

// One active call: its method, the index of its first slot in the slot stack, its CALL.
struct TCallInfo {
  int method;
  int frame_base;
  int return_address;
};

// One script program: the text, the lists the compiler builds and the run-time stacks.
// Created once, compiled once, then run many times with new inputs; globals and method locals
// keep their values from run to run.
class TKorvanaProgram : public TKorvanaCodeMaker {
 public:
  explicit TKorvanaProgram(std::string_view text = "");
  virtual ~TKorvanaProgram() = default;

  // "var KorvanaValue: Integer; " + text + CR LF + "begin KorvanaValue := Korvana(); end;",
  // with every line end made CR LF so that messages name the user's own lines.
  static std::string WrapText(std::string_view user_text);

  void SetText(std::string_view text);  // loads a new text and resets
  virtual void Reset();                 // empties the lists; subclasses add their inputs
  void Compile();                       // raises ScriptError with the line on the first error
  void Run();                           // raises ScriptError on a run-time error or a stopped run
  bool Compiled() const { return compiled_; }
  const std::string& UserText() const { return user_text_; }

  void SetHost(IScriptHost* host) { host_ = host != nullptr ? host : &DefaultScriptHost::Instance(); }
  void SetTimer(const IScriptTimer* timer) { timer_ = timer != nullptr ? timer : &SteadyScriptTimer::Instance(); }
  // Ends a run after about this many instructions (0: no limit); the fuzzer uses it.
  void SetStepLimit(std::uint64_t steps) { step_limit_ = steps; }

  // A global variable (scope "1001") by name, or nullptr.
  TUserVar* GlobalVariable(std::string_view name) { return FindVariable(name, kGlobalScope); }
  // KorvanaValue converted to an integer (halves to even; empty reads 0).
  int KorvanaResult() const;

 protected:
  // The number of input variables Reset declares ahead of everything; Compile keeps their values.
  virtual int InputCount() const { return 0; }

 private:
  void CheckTimeGuard(std::int64_t& start, bool& stop_requested, std::uint64_t& steps);
  TDynaValue Pop();
  void Call(int method_index, int return_address);
  int Return();

  TTokenReader reader_;
  std::string user_text_;
  bool compiled_ = false;
  int result_variable_ = -1;
  std::vector<TDynaValue> stack_;
  std::vector<TCallInfo> calls_;
  std::vector<TDynaValue> slots_;
  IScriptHost* host_ = &DefaultScriptHost::Instance();
  const IScriptTimer* timer_ = &SteadyScriptTimer::Instance();
  std::uint64_t step_limit_ = 0;
};

inline constexpr const char* kStoppedRunMessage = "算法运行被中止。";
inline constexpr const char* kStackUnderflowMessage = "堆栈下溢出!";
inline constexpr const char* kUnknownInstructionMessage = "未知命令！";
inline constexpr const char* kStepLimitMessage = "算法运行的步数超过了限制。";
inline constexpr const char* kCallDepthMessage = "函数调用层次过深！";
inline constexpr const char* kStackOverflowMessage = "堆栈溢出！";

}  // namespace zidezo
