#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/DataRoot.h"

namespace zidezo {

// Progress of long work: a Chinese caption and a fraction done (0 to 1).
using ProgressCallback = std::function<void(const std::string& caption, double fraction)>;

bool IsInstalled(const DataPaths& paths);

// Adds content to a staged installation before it is put in place (library books, learners).
using PopulateCallback = std::function<bool(const DataPaths& staged, std::string& error)>;

// Creates a new installation (folders, databases, reference tables) under the data root.
// Everything is built in a staging folder and moved into place at the end, so a failure or a
// crash never leaves half an installation. An existing installation is left as it is
// (already_installed is set).
bool CreateInstallation(const DataPaths& paths, std::string& error, bool& already_installed,
                        const ProgressCallback& progress = {}, const PopulateCallback& populate = {});

// The report of a health check: one line per database, then the problems found.
struct InstallationReport {
  std::vector<std::string> lines;
  std::vector<std::string> problems;
  bool Healthy() const { return problems.empty(); }
};

// Opens every database, runs the engine's integrity check, checks the version and the catalogue.
// Never repairs anything.
InstallationReport CheckInstallation(const DataPaths& paths);

inline constexpr const char* kVersionMismatchMessage = "数据库版本和程序版本不一致。程序即将退出。";

}  // namespace zidezo
