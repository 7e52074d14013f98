#include "learners/NewInstallation.h"

namespace zidezo {

bool EnsureInstallation(const DataPaths& paths, std::string& error, const ProgressCallback& progress) {
  bool already_installed = false;
  return CreateInstallation(paths, error, already_installed, progress);
}

InstallationReport CheckInstallationContent(const DataPaths& paths) { return CheckInstallation(paths); }

}  // namespace zidezo
