// zidezo-admin init and check.
#include <iostream>

#include "AdminCommand.h"
#include "data/Installation.h"
#include "learners/NewInstallation.h"

namespace zidezo::admin {
namespace {

int Init(const Arguments& arguments) {
  const DataPaths paths{HomeOf(arguments)};
  if (IsInstalled(paths)) {
    std::cout << "安装已存在，未作任何改动：" << paths.root.string() << "\n";
    return 0;
  }
  std::string error;
  auto progress = [](const std::string& caption, double) { std::cout << caption << "\n"; };
  if (!EnsureInstallation(paths, error, progress)) {
    std::cerr << "安装失败：" << error << "\n";
    return 1;
  }
  std::cout << "已创建新的安装：" << paths.root.string() << "\n";
  return 0;
}

int Check(const Arguments& arguments) {
  const DataPaths paths{HomeOf(arguments)};
  const InstallationReport report = CheckInstallationContent(paths);
  for (const std::string& line : report.lines) std::cout << line << "\n";
  for (const std::string& problem : report.problems) std::cout << "问题：" << problem << "\n";
  std::cout << (report.Healthy() ? "安装完好。" : "安装有问题。") << "\n";
  return report.Healthy() ? 0 : 1;
}

const AdminCommand init_command("init", "init [--home DIR]        创建新的安装", {"home"}, Init);
const AdminCommand check_command("check", "check [--home DIR]       检查安装是否完好", {"home"}, Check);

}  // namespace
}  // namespace zidezo::admin
