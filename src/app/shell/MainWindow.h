#pragma once

#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "controls/KorvanaToolBar.h"
#include "shell/Desktop.h"
#include "shell/Dialogs.h"
#include "shell/LearnerDirectory.h"
#include "shell/WorldHost.h"

namespace zidezo::app {

class TfrmLogin;
class TGlobalHotKey;

// The main window: a frameless, shaped window drawn as a stack of three pages with a see-through
// strip on the left, dragged by its body. The tool bar appears while the pointer is on the top
// strip; the reciting world fills the workspace.
class TfrmZavoDuzade : public QWidget {
  Q_OBJECT
 public:
  struct TOptions {
    QString data_root;
    QString web_site;  // "Company" / "WebSite"; the tray item is hidden when empty
    TWorldFactory world_factory;
    bool use_tray = true;
    bool use_hot_key = true;
  };

  TfrmZavoDuzade(ILearnerDirectory& learners, IDialogs& dialogs, TOptions options);
  ~TfrmZavoDuzade() override;

  void ApplyUserSettings();
  void StartWorld();
  void HideMainWindow();
  // The global hot key: hides a visible window, shows (and maybe centres) a hidden one.
  void HotKeyPressed();
  // The tray's "界面", a click on the tray icon and a second copy's request.
  void ShowFromTray();
  void SwitchUser(int index);
  // The key handler of key-downs and of keys forwarded by the program's own controls.
  void HandleKey(int qt_key, Qt::KeyboardModifiers modifiers);
  // The tool bar rule for the pointer at a screen position.
  void UpdateToolBarVisibility(QPoint global);
  void OnToolBarTimer();
  void BuildUserMenu();
  QRegion ShapeRegion() const;

  IWorld* World() const { return world_.get(); }
  QWidget* Workspace() const { return workspace_; }
  TKorvanaToolBar* ToolBar() const { return tool_bar_; }
  TKorvanaToolButton* Button(const QString& name) const;
  TfrmDesktop* Desktop() const { return desktop_.get(); }
  QMenu* UserMenu() const { return user_menu_; }
  QMenu* TrayMenu() const { return tray_menu_; }
  QLabel* Decoration() const { return decoration_; }
  QLabel* BookPicture() const { return book_picture_; }
  bool ToolBarTimerActive() const { return tool_bar_timer_.isActive(); }
  bool ProgressTimerActive() const { return progress_timer_.isActive(); }
  void FireProgressTimer();
  int TickedUserIndex() const { return ticked_user_index_; }
  bool HideAllowed() const { return hide_allowed_; }
  QColor KeyColour() const { return key_colour_; }

  // Test seams: where the pointer is, and how the switch dialog is run.
  std::function<QPoint()> CursorPosition;
  std::function<bool(TfrmLogin& dialog)> RunLoginDialog;

  static constexpr int kToolBarTimerMs = 600;
  static constexpr int kProgressTimerMs = 1000;

 signals:
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateToolBar();
  void CreateTray();
  void CheckAudio();
  void ApplyDesktopPicture(const TLearnerDisplay& display);
  void ApplyBookPicture(const TLearnerDisplay& display);
  void OpenWebSite();
  QString PictureFor(int mode, const QString& file) const;
  TKorvanaToolButton* AddToolButton(const char* name, const QString& hint, int picture);
  void AddSeparator();

  ILearnerDirectory& learners_;
  IDialogs& dialogs_;
  TOptions options_;
  std::unique_ptr<IWorld> world_;
  bool world_started_ = false;
  int world_user_index_ = -1;
  QColor key_colour_;
  int ticked_user_index_ = -1;
  bool hide_allowed_ = true;
  TKorvanaToolBar* tool_bar_ = nullptr;
  QLabel* decoration_ = nullptr;
  QLabel* book_picture_ = nullptr;
  QWidget* workspace_ = nullptr;
  QMenu* user_menu_ = nullptr;
  QMenu* tray_menu_ = nullptr;
  QSystemTrayIcon* tray_ = nullptr;
  QAction* web_site_item_ = nullptr;
  std::unique_ptr<TfrmDesktop> desktop_;
  std::unique_ptr<TGlobalHotKey> hot_key_;
  QTimer tool_bar_timer_;
  QTimer progress_timer_;
  QString book_picture_file_;
  QPoint drag_offset_;
  bool dragging_ = false;
};

}  // namespace zidezo::app
