#include "data/Installation.h"

#include <unistd.h>

#include "data/AdoChannel.h"
#include "data/Catalogue.h"
#include "data/ReferenceContent.h"

namespace zidezo {
namespace {

namespace fs = std::filesystem;

std::filesystem::path DatabaseFile(const DataPaths& paths, const DatabaseDefinition& database) {
  return paths.Database() / (database.base_name + ".db");
}

bool CreateFolders(const DataPaths& paths, std::string& error) {
  std::error_code failure;
  for (const auto& folder : {paths.Database(), paths.Setting(), paths.Temp(), paths.Wav(), paths.Picture(),
                             paths.Attachment()}) {
    fs::create_directories(folder, failure);
    if (failure) {
      error = "无法创建文件夹 " + folder.string() + "：" + failure.message();
      return false;
    }
  }
  return true;
}

bool CreateDatabase(const DataPaths& paths, const DatabaseDefinition& database, std::string& error) {
  TAdoChannel channel;
  const auto file = DatabaseFile(paths, database);
  if (!channel.CreateDatabase(file.string()) || !CreateTables(channel, database)) {
    error = "无法创建数据库 " + file.string() + "：" + channel.LastError();
    return false;
  }
  std::string load_error;
  const bool loaded = channel.InTransaction(
      [&] { return LoadReferenceTables(channel, database, ReferenceDataDir(), load_error); });
  if (!loaded) {
    error = load_error.empty() ? channel.LastError() : load_error;
    return false;
  }
  return true;
}

// Moves every entry of the staged root into the real root; entries already there are kept.
bool MoveIntoPlace(const fs::path& staged, const fs::path& root, std::string& error) {
  std::error_code failure;
  for (const auto& entry : fs::directory_iterator(staged)) {
    const auto target = root / entry.path().filename();
    if (fs::exists(target)) {
      if (entry.is_directory()) {
        if (!MoveIntoPlace(entry.path(), target, error)) return false;
      }
      continue;
    }
    fs::rename(entry.path(), target, failure);
    if (failure) {
      error = "无法移动 " + entry.path().string() + "：" + failure.message();
      return false;
    }
  }
  return true;
}

void Report(const ProgressCallback& progress, const std::string& caption, double fraction) {
  if (progress) progress(caption, fraction);
}

}  // namespace

bool IsInstalled(const DataPaths& paths) { return fs::exists(paths.ConfigDatabase()); }

bool CreateInstallation(const DataPaths& paths, std::string& error, bool& already_installed,
                        const ProgressCallback& progress, const PopulateCallback& populate) {
  already_installed = IsInstalled(paths);
  if (already_installed) return true;
  std::error_code failure;
  fs::create_directories(paths.root, failure);
  const DataPaths staged{paths.root / (".installing-" + std::to_string(getpid()))};
  fs::remove_all(staged.root, failure);
  bool ok = CreateFolders(staged, error);
  const auto& databases = Catalogue();
  for (std::size_t i = 0; ok && i < databases.size(); ++i) {
    Report(progress, "正在创建数据库 " + databases[i].base_name + " ...", 0.1 + 0.3 * i / databases.size());
    ok = CreateDatabase(staged, databases[i], error);
  }
  if (ok && populate) {
    Report(progress, "正在装入词库和用户 ...", 0.5);
    ok = populate(staged, error);
  }
  if (ok) {
    Report(progress, "正在完成安装 ...", 0.9);
    ok = CreateFolders(paths, error) && MoveIntoPlace(staged.root, paths.root, error);
  }
  fs::remove_all(staged.root, failure);
  if (ok) Report(progress, "安装完成", 1.0);
  return ok;
}

InstallationReport CheckInstallation(const DataPaths& paths) {
  InstallationReport report;
  std::error_code failure;
  for (const DatabaseDefinition& database : Catalogue()) {
    const auto file = DatabaseFile(paths, database);
    const std::string name = file.filename().string();
    if (!fs::exists(file)) {
      report.lines.push_back(name + "：缺少");
      report.problems.push_back(name + "：文件不存在（" + file.string() + "）");
      continue;
    }
    if (fs::file_size(file, failure) == 0) {
      report.lines.push_back(name + "：文件为空");
      report.problems.push_back(name + "：文件为空（0 字节），数据已丢失（" + file.string() + "）");
      continue;
    }
    TAdoChannel channel;
    if (!channel.OpenReadOnly(file.string())) {
      report.lines.push_back(name + "：无法打开");
      report.problems.push_back(name + "：" + channel.LastError());
      continue;
    }
    std::vector<std::string> problems;
    auto integrity = channel.Query("PRAGMA integrity_check");
    if (!integrity) {
      problems.push_back(name + "：完整性检查失败：" + channel.LastError());
    } else {
      for (integrity->First(); !integrity->Eof(); integrity->Next()) {
        if (integrity->TextAt(0) != "ok") problems.push_back(name + "：完整性检查：" + integrity->TextAt(0));
      }
    }
    for (const std::string& missing : MissingSchema(channel, database)) problems.push_back(name + "：" + missing);
    if (database.base_name == "Config") {
      auto version = channel.Query("select MajorVersion, MinorVersion from Feature");
      if (!version || version->Eof()) {
        problems.push_back(name + "：读不到版本（表 Feature）");
      } else if (version->AsInt("MajorVersion") != 2 || version->AsInt("MinorVersion") != 0) {
        problems.push_back(name + "：版本 " + version->AsText("MajorVersion") + "." + version->AsText("MinorVersion") +
                           "：" + kVersionMismatchMessage);
      }
    }
    report.lines.push_back(name + (problems.empty() ? "：正常" : "：有问题"));
    report.problems.insert(report.problems.end(), problems.begin(), problems.end());
  }
  return report;
}

}  // namespace zidezo
