// zidezo-admin: administration of a Zidezo installation from the command line.
#include <algorithm>
#include <iostream>

#include "AdminCommand.h"
#include "data/DataRoot.h"

namespace zidezo::admin {

bool Arguments::HasFlag(const std::string& name) const {
  return std::find(flags.begin(), flags.end(), name) != flags.end();
}

std::string Arguments::Option(const std::string& name, const std::string& fallback) const {
  auto found = options.find(name);
  return found == options.end() ? fallback : found->second;
}

std::map<std::string, CommandEntry>& Commands() {
  static std::map<std::string, CommandEntry> commands;
  return commands;
}

AdminCommand::AdminCommand(std::string name, std::string usage, std::vector<std::string> options_with_values,
                           CommandFunction function) {
  Commands()[std::move(name)] = CommandEntry{std::move(usage), std::move(options_with_values), std::move(function)};
}

std::string HomeOf(const Arguments& arguments) { return ResolveDataRoot(arguments.Option("home")).string(); }

namespace {

void PrintUsage() {
  std::cerr << "用法: zidezo-admin <命令> [参数]\n";
  for (const auto& [name, entry] : Commands()) std::cerr << "  zidezo-admin " << entry.usage << "\n";
}

}  // namespace
}  // namespace zidezo::admin

int main(int argc, char** argv) {
  using namespace zidezo::admin;
  if (argc < 2) {
    PrintUsage();
    return 2;
  }
  // A command of two words ("algorithm check") is registered under both words.
  std::string name = argv[1];
  int first = 2;
  if (argc > 2 && Commands().count(name + " " + argv[2]) > 0) {
    name += std::string(" ") + argv[2];
    first = 3;
  }
  auto found = Commands().find(name);
  if (found == Commands().end()) {
    std::cerr << "未知的命令：" << name << "\n";
    PrintUsage();
    return 2;
  }
  Arguments arguments;
  const auto& with_values = found->second.options_with_values;
  for (int i = first; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.rfind("--", 0) == 0 && argument.size() > 2) {
      std::string option = argument.substr(2);
      auto equals = option.find('=');
      if (equals != std::string::npos) {
        arguments.options[option.substr(0, equals)] = option.substr(equals + 1);
      } else if (std::find(with_values.begin(), with_values.end(), option) != with_values.end()) {
        if (i + 1 >= argc) {
          std::cerr << "选项 --" << option << " 缺少值\n";
          return 2;
        }
        arguments.options[option] = argv[++i];
      } else {
        arguments.flags.push_back(option);
      }
    } else {
      arguments.positional.push_back(argument);
    }
  }
  try {
    return found->second.function(arguments);
  } catch (const std::exception& error) {
    std::cerr << "错误：" << error.what() << "\n";
    return 1;
  }
}
