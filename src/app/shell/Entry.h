#pragma once

#include <QApplication>
#include <functional>
#include <memory>

#include "shell/Dialogs.h"
#include "shell/LearnerDirectory.h"
#include "shell/MainWindow.h"

namespace zidezo::app {

class TfrmLogin;

struct TEntryOptions {
  // Runs the event loop; off in tests, which look at the window RunEntry leaves behind.
  bool run_loop = true;
  // How the login dialog is run (modal by default); true when a learner logged in.
  std::function<bool(TfrmLogin& dialog)> run_login;
  // Called with the main window once it shows (screenshots).
  std::function<void(TfrmZavoDuzade& window)> on_main_window;
  TWorldFactory world_factory;
  bool use_tray = true;
  bool use_hot_key = true;
};

// The program's start, in its order: splash, single-copy guard, installation and data, version
// check, login, main window, event loop. Returns the exit code; a second copy, a cancelled login
// and a closed window give 0, a refused start 1.
int RunEntry(QApplication& application, IProgramData& data, IDialogs& dialogs, const TEntryOptions& options,
             std::unique_ptr<TfrmZavoDuzade>* window_out = nullptr);

// The program: reads the options (--home DIR), builds the real services, runs the entry.
int RunProgram(int argc, char** argv);

inline const QString kVersionMessage = QStringLiteral("数据库版本和程序版本不一致。程序即将退出。");

}  // namespace zidezo::app
