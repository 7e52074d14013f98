#pragma once

#include <string>

#include "data/DataRoot.h"
#include "data/Installation.h"

namespace zidezo {

// The learner every new installation has, so that one can log in and recite at once.
inline constexpr const char* kReadyLearnerName = "学生";

// Creates a whole new installation when the data root holds none: folders, databases, reference
// tables, the library books and the ready learner "学生". An existing installation is left alone.
bool EnsureInstallation(const DataPaths& paths, std::string& error, const ProgressCallback& progress = {});

}  // namespace zidezo

namespace zidezo {

// The health check of the databases plus the reference content: template users and their rows,
// every library book's words present, the ready learner with his books.
InstallationReport CheckInstallationContent(const DataPaths& paths);

}  // namespace zidezo
