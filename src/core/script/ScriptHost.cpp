#include "script/ScriptHost.h"

#include <chrono>

namespace zidezo {

DefaultScriptHost& DefaultScriptHost::Instance() {
  static DefaultScriptHost host;
  return host;
}

std::int64_t SteadyScriptTimer::Milliseconds() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

SteadyScriptTimer& SteadyScriptTimer::Instance() {
  static SteadyScriptTimer timer;
  return timer;
}

}  // namespace zidezo
