#pragma once

#include <string>
#include <vector>

#include "script/KorvanaProgram.h"
#include "script/ScriptError.h"

namespace zidezo::testing {

// Compiles and runs a text as a plain program and returns KorvanaValue as the host reads it.
inline int RunScript(const std::string& text) {
  TKorvanaProgram program(text);
  program.Compile();
  program.Run();
  return program.KorvanaResult();
}

// The compiler's message for a text, or "" when it compiles.
inline std::string CompileError(const std::string& text) {
  TKorvanaProgram program(text);
  try {
    program.Compile();
  } catch (const ScriptError& error) {
    return error.what();
  }
  return "";
}

// The run-time message of a compiled text, or "" when it runs.
inline std::string RunError(const std::string& text) {
  TKorvanaProgram program(text);
  program.Compile();
  try {
    program.Run();
  } catch (const ScriptError& error) {
    return error.what();
  }
  return "";
}

// A host that answers the long-run question from a list and keeps what was shown.
class ScriptedHost : public IScriptHost {
 public:
  std::vector<bool> answers;  // true = OK (stop)
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  bool AskStopLongRun(const std::string& caption, const std::string& question) override {
    questions.push_back(caption + "|" + question);
    const bool answer = questions.size() <= answers.size() ? answers[questions.size() - 1] : true;
    return answer;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

// Milliseconds that advance by a fixed step each time they are read.
class SteppingTimer : public IScriptTimer {
 public:
  explicit SteppingTimer(std::int64_t step) : step_(step) {}
  std::int64_t Milliseconds() const override { return now_ += step_; }
  std::int64_t Now() const { return now_; }

 private:
  std::int64_t step_;
  mutable std::int64_t now_ = 0;
};

}  // namespace zidezo::testing
