// zidezo-admin algorithm check FILE [--speed]
// zidezo-admin algorithm run FILE [--speed] [NAME=VALUE ...]
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "AdminCommand.h"
#include "base/Files.h"
#include "script/AbilityProgram.h"
#include "script/ScriptError.h"

namespace zidezo::admin {
namespace {

std::unique_ptr<TAbilityProgram> LoadProgram(const Arguments& arguments) {
  if (arguments.positional.empty()) {
    std::fprintf(stderr, "缺少算法文件。\n");
    return nullptr;
  }
  std::string text;
  try {
    text = ReadWholeFile(arguments.positional[0]);
  } catch (const std::runtime_error& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return nullptr;
  }
  if (arguments.HasFlag("speed")) return std::make_unique<TSpeedProgram>(text);
  return std::make_unique<TAbilityProgram>(text);
}

int Check(const Arguments& arguments) {
  auto program = LoadProgram(arguments);
  if (!program) return 1;
  try {
    program->Compile();
  } catch (const ScriptError& error) {
    std::printf("%s\n", error.what());
    return 1;
  }
  std::printf("OK\n");
  return 0;
}

int Run(const Arguments& arguments) {
  auto program = LoadProgram(arguments);
  if (!program) return 1;
  try {
    program->Compile();
    for (std::size_t i = 1; i < arguments.positional.size(); ++i) {
      const std::string& setting = arguments.positional[i];
      const std::size_t equals = setting.find('=');
      char* end = nullptr;
      const double value = equals == std::string::npos ? 0 : std::strtod(setting.c_str() + equals + 1, &end);
      if (equals == std::string::npos || end == setting.c_str() + equals + 1 || *end != '\0' ||
          !program->SetInputByName(setting.substr(0, equals), value)) {
        std::fprintf(stderr, "输入不正确：%s\n", setting.c_str());
        return 1;
      }
    }
    program->Run();
    std::printf("%d\n", program->GetResult());
  } catch (const ScriptError& error) {
    std::printf("%s\n", error.what());
    return 1;
  }
  return 0;
}

const AdminCommand kCheck("algorithm check", "algorithm check FILE [--speed]", {}, Check);
const AdminCommand kRun("algorithm run", "algorithm run FILE [--speed] [NAME=VALUE ...]", {}, Run);

}  // namespace
}  // namespace zidezo::admin
