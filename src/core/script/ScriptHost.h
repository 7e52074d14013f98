#pragma once

#include <cstdint>
#include <string>

namespace zidezo {

// What a running script asks of the program around it. The desktop program shows message
// boxes; tests answer by script; the default host goes on and shows nothing.
class IScriptHost {
 public:
  virtual ~IScriptHost() = default;
  // The long-run question (buttons OK and Cancel): true for OK, which stops the run.
  virtual bool AskStopLongRun(const std::string& caption, const std::string& question) = 0;
  // ShowMessage and ShowBoolean of a script.
  virtual void ShowMessage(const std::string& text) = 0;
};

class DefaultScriptHost final : public IScriptHost {
 public:
  bool AskStopLongRun(const std::string&, const std::string&) override { return false; }
  void ShowMessage(const std::string&) override {}
  static DefaultScriptHost& Instance();
};

// Milliseconds for the run's time guard; tests install a fake.
class IScriptTimer {
 public:
  virtual ~IScriptTimer() = default;
  virtual std::int64_t Milliseconds() const = 0;
};

class SteadyScriptTimer final : public IScriptTimer {
 public:
  std::int64_t Milliseconds() const override;
  static SteadyScriptTimer& Instance();
};

inline constexpr const char* kLongRunCaption = "提醒";
inline constexpr const char* kLongRunQuestion = "运行的时间过长，可能算法错误导致陷入死循环，是否停止运行？";
inline constexpr std::int64_t kLongRunMilliseconds = 3600;

}  // namespace zidezo
