#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zidezo::admin {

// The arguments of one zidezo-admin command, after the command's name.
struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--home DIR" -> options["home"] = "DIR"
  std::vector<std::string> flags;              // "--speed" -> "speed"

  bool HasFlag(const std::string& name) const;
  std::string Option(const std::string& name, const std::string& fallback = "") const;
};

using CommandFunction = std::function<int(const Arguments&)>;

// Each command file registers its commands with a static AdminCommand object.
// options_with_values lists the options that take a value (the others are flags).
struct AdminCommand {
  AdminCommand(std::string name, std::string usage, std::vector<std::string> options_with_values,
               CommandFunction function);
};

struct CommandEntry {
  std::string usage;
  std::vector<std::string> options_with_values;
  CommandFunction function;
};

std::map<std::string, CommandEntry>& Commands();

// The data root of the command: --home DIR, else $ZIDEZO_HOME, else the user's data folder.
std::string HomeOf(const Arguments& arguments);

}  // namespace zidezo::admin
