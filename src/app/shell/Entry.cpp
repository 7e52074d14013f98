#include "shell/Entry.h"

#include "controls/Fonts.h"
#include "shell/LoginDialog.h"
#include "shell/Logo.h"
#include "shell/SingleInstance.h"

namespace zidezo::app {

namespace {

bool RunLoginModally(TfrmLogin& dialog) { return dialog.exec() == QDialog::Accepted && !dialog.Cancelled(); }

}  // namespace

int RunEntry(QApplication& application, IProgramData& data, IDialogs& dialogs, const TEntryOptions& options,
             std::unique_ptr<TfrmZavoDuzade>* window_out) {
  InstallFontSubstitutions();
  auto splash = std::make_unique<TfrmLogo>(data.PublisherName());
  splash->show();
  QCoreApplication::processEvents();

  auto guard = std::make_unique<TSingleInstance>(data.DataRoot());
  if (!guard->Acquire()) return 0;  // the running copy shows its window; this one leaves silently

  std::string error;
  const bool opened = data.Open(error);
  splash.reset();
  if (!opened) {
    dialogs.Message(nullptr, QStringLiteral("提醒"),
                    QStringLiteral("无法打开数据文件，程序即将退出。\n%1").arg(QString::fromStdString(error)),
                    TMessageKind::kError);
    return 1;
  }
  if (data.MajorVersion() != 2 || data.MinorVersion() != 0) {
    dialogs.Message(nullptr, QStringLiteral("提醒"), kVersionMessage, TMessageKind::kWarning);
    return 1;
  }

  {
    TfrmLogin login(data, data.LastActiveLearnerIndex());
    const bool logged_in = options.run_login ? options.run_login(login) : RunLoginModally(login);
    if (!logged_in) return 0;
  }

  TfrmZavoDuzade::TOptions window_options;
  window_options.data_root = data.DataRoot();
  window_options.web_site = data.WebSite();
  window_options.world_factory = options.world_factory;
  window_options.use_tray = options.use_tray;
  window_options.use_hot_key = options.use_hot_key;
  auto window = std::make_unique<TfrmZavoDuzade>(data, dialogs, window_options);
  QObject::connect(guard.get(), &TSingleInstance::showRequested, window.get(), &TfrmZavoDuzade::ShowFromTray);
  // Hiding to the tray closes no window; only closing the main window ends the program.
  application.setQuitOnLastWindowClosed(false);
  QObject::connect(window.get(), &TfrmZavoDuzade::closed, &application, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window->show();
  if (options.on_main_window) options.on_main_window(*window);
  int code = 0;
  if (options.run_loop) code = application.exec();
  if (window_out != nullptr) {
    guard.release()->setParent(window.get());
    *window_out = std::move(window);
  }
  return code;
}

}  // namespace zidezo::app
