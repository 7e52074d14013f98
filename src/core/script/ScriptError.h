#pragma once

#include <stdexcept>
#include <string>

namespace zidezo {

// The one error of compiling or running a script. Its text is what the learner sees:
// compile errors carry "第%d行出错了。错误为：..." with the line, run errors the bare message.
class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zidezo
