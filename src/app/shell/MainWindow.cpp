#include "shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QAudioDevice>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include "controls/Colours.h"
#include "controls/ForwardedKey.h"
#include "controls/KeyTable.h"
#include "reciting/VirtualKeys.h"
#include "shell/HotKey.h"
#include "shell/LoginDialog.h"
#include "shell/Pictures.h"

namespace zidezo::app {

namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 560;
constexpr int kEdge = 10;        // the page stack and the see-through strip
constexpr int kPageStep = 3;
constexpr int kKeyColour = 9237856;  // the see-through colour (blue-green-red)
const QColor kPageColour(0xfb, 0xf8, 0xee);
const QPoint kToolBarPlace(40, 2);
const QSize kToolBarSize(457, 25);

}  // namespace

TfrmZavoDuzade::TfrmZavoDuzade(ILearnerDirectory& learners, IDialogs& dialogs, TOptions options)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      learners_(learners),
      dialogs_(dialogs),
      options_(std::move(options)),
      key_colour_(ColourOf(kKeyColour)) {
  setObjectName("frmZavoDuzade");
  setWindowTitle(QStringLiteral("背词"));
  setWindowIcon(ProgramIcon());
  resize(kWindowWidth, kWindowHeight);
  CursorPosition = [] { return QCursor::pos(); };
  RunLoginDialog = [](TfrmLogin& dialog) { return dialog.exec() == QDialog::Accepted && !dialog.Cancelled(); };

  book_picture_ = new QLabel(this);
  book_picture_->setScaledContents(true);
  book_picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
  workspace_ = new QWidget(this);
  workspace_->setObjectName("workspace");
  decoration_ = new QLabel(this);
  decoration_->setObjectName("Image1");
  CreateToolBar();
  // The pointer's moves over the body decide when the tool bar shows.
  for (QWidget* surface : {static_cast<QWidget*>(this), workspace_, static_cast<QWidget*>(decoration_)}) {
    surface->setMouseTracking(true);
  }
  tool_bar_timer_.setInterval(kToolBarTimerMs);
  connect(&tool_bar_timer_, &QTimer::timeout, this, &TfrmZavoDuzade::OnToolBarTimer);
  progress_timer_.setInterval(kProgressTimerMs);
  progress_timer_.setSingleShot(true);
  connect(&progress_timer_, &QTimer::timeout, this, &TfrmZavoDuzade::FireProgressTimer);

  user_menu_ = new QMenu(this);
  user_menu_->setObjectName("pmuBook");
  desktop_ = std::make_unique<TfrmDesktop>();
  desktop_->OnDismiss = [this] {
    if (!hide_allowed_) return;
    desktop_->hide();
    hide();
  };
  if (options_.use_tray) CreateTray();
  if (options_.use_hot_key) {
    hot_key_ = std::make_unique<TGlobalHotKey>();
    connect(hot_key_.get(), &TGlobalHotKey::activated, this, &TfrmZavoDuzade::HotKeyPressed);
    hot_key_->Register();  // sessions without a global grab run without it, silently
  }
  qApp->installEventFilter(this);
  CheckAudio();
  if (!options_.data_root.isEmpty()) QDir(options_.data_root).mkpath("Temp");
  resizeEvent(nullptr);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

TfrmZavoDuzade::~TfrmZavoDuzade() {
  qApp->removeEventFilter(this);
  world_.reset();
  if (tray_ != nullptr) tray_->hide();
}

TKorvanaToolButton* TfrmZavoDuzade::AddToolButton(const char* name, const QString& hint, int picture) {
  auto* button = new TKorvanaToolButton(tool_bar_);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->SetImages(&ToolBarPictures());
  button->SetImageIndex(picture);
  tool_bar_->AddButton(button);
  return button;
}

void TfrmZavoDuzade::AddSeparator() {
  auto* separator = new TKorvanaToolButton(tool_bar_);
  separator->SetStyle(ktbsSeperate);
  tool_bar_->AddButton(separator);
}

void TfrmZavoDuzade::CreateToolBar() {
  tool_bar_ = new TKorvanaToolBar(this);
  tool_bar_->setObjectName("KorvanaToolBar");
  tool_bar_->setGeometry(QRect(kToolBarPlace, kToolBarSize));
  auto* user = AddToolButton("btnUser", QStringLiteral("选择用户"), kPictureUser);
  AddSeparator();
  AddToolButton("btnExercise", QStringLiteral("做练习"), kPictureExercise);
  AddSeparator();
  AddToolButton("btnFirst", QStringLiteral("第一页(Home键)"), kPictureFirst);
  AddToolButton("btnPrior", QStringLiteral("前一页(左方向键)"), kPicturePrior);
  AddToolButton("btnNext", QStringLiteral("后一页(右方向键)"), kPictureNext);
  AddToolButton("btnLast", QStringLiteral("最后页(End键)"), kPictureLast);
  AddSeparator();
  AddToolButton("btnTimeStatistics", QStringLiteral("使用时间统计"), kPictureTime);
  auto* pin = AddToolButton("btnToobarVisible", QStringLiteral("固定工具条"), kPicturePin);
  AddToolButton("btnManageHelp", QStringLiteral("管理快捷键"), kPictureKeys);
  AddToolButton("btnSetup", QStringLiteral("设置当前用户"), kPictureSetup);
  AddSeparator();
  AddToolButton("btnHelp", QStringLiteral("查看使用手册"), kPictureHelp);
  AddSeparator();
  auto* quit = AddToolButton("btnReturn", QStringLiteral("退出程序"), kPictureReturn);
  tool_bar_->hide();
  connect(user, &TKorvanaToolButton::clicked, this, [this] {
    BuildUserMenu();
    user_menu_->popup(CursorPosition());
  });
  connect(pin, &TKorvanaToolButton::clicked, pin, [pin] { pin->SetDown(!pin->Down()); });
  connect(quit, &TKorvanaToolButton::clicked, this, &QWidget::close);
}

TKorvanaToolButton* TfrmZavoDuzade::Button(const QString& name) const {
  return tool_bar_->findChild<TKorvanaToolButton*>(name);
}

void TfrmZavoDuzade::CreateTray() {
  tray_menu_ = new QMenu(this);
  tray_menu_->setObjectName("pmuWord");
  tray_menu_->addAction(QStringLiteral("界面"), this, &TfrmZavoDuzade::ShowFromTray);
  tray_menu_->addSeparator();
  web_site_item_ = tray_menu_->addAction(QStringLiteral("网站"), this, &TfrmZavoDuzade::OpenWebSite);
  web_site_item_->setVisible(!options_.web_site.trimmed().isEmpty());
  tray_menu_->addSeparator();
  tray_menu_->addAction(QStringLiteral("退出"), this, &QWidget::close);
  tray_ = new QSystemTrayIcon(ProgramIcon(), this);
  tray_->setToolTip(QStringLiteral("背词"));
  tray_->setContextMenu(tray_menu_);
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) ShowFromTray();
  });
  if (QSystemTrayIcon::isSystemTrayAvailable()) tray_->show();
}

void TfrmZavoDuzade::OpenWebSite() {
  QString address = options_.web_site.trimmed();
  if (address.isEmpty()) return;
  if (!address.contains("://")) address.prepend("http://");
  QDesktopServices::openUrl(QUrl(address));
}

void TfrmZavoDuzade::CheckAudio() {
  // Without an output device the program goes on; playback then reports that it cannot play.
  if (QMediaDevices::defaultAudioOutput().isNull()) {
    dialogs_.Message(this, QStringLiteral("提醒"), QStringLiteral("Cannot start default audio device!"),
                     TMessageKind::kError);
  }
}

QRegion TfrmZavoDuzade::ShapeRegion() const {
  const int w = width(), h = height();
  QRegion shape(0, 0, w, h);
  shape -= QRegion(0, 0, kEdge, h - kEdge);  // the see-through strip
  // The corners beyond the stacked page edges.
  for (int i = 1; i <= 3; ++i) {
    shape -= QRegion(w - kEdge + (i - 1) * kPageStep + 1, 0, w, i * kPageStep);
    shape -= QRegion(0, h - kEdge + (i - 1) * kPageStep + 1, kEdge + i * kPageStep, h);
  }
  return shape;
}

void TfrmZavoDuzade::resizeEvent(QResizeEvent*) {
  const int w = width(), h = height();
  const QRect page(kEdge + 1, 1, w - 2 * kEdge - 2, h - kEdge - 2);
  book_picture_->setGeometry(page);
  workspace_->setGeometry(page.adjusted(4, 30, -4, -4));
  decoration_->setPixmap(DecoratePicture(page.width() - 40));
  decoration_->setGeometry(page.left() + 20, 28, page.width() - 40, 6);
  setMask(ShapeRegion());
}

void TfrmZavoDuzade::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int w = width(), h = height();
  const int right = w - kEdge - 1, bottom = h - kEdge - 1;
  p.fillRect(rect(), key_colour_);
  p.fillRect(QRect(QPoint(kEdge, 0), QPoint(right, bottom)), world_ ? world_->BackgroundColour() : kPageColour);
  p.setPen(Qt::black);
  p.drawLine(kEdge, 0, right, 0);
  p.drawLine(kEdge, 0, kEdge, bottom);
  p.drawLine(right, 0, right, bottom);
  p.drawLine(kEdge, bottom, right, bottom);
  // Three pages beneath: each edge 3 pixels further out, joined at the corners.
  for (int i = 1; i <= 3; ++i) {
    const int step = i * kPageStep, last = (i - 1) * kPageStep;
    p.fillRect(QRect(QPoint(kEdge + step, bottom + last + 1), QPoint(right + step, bottom + step)), Qt::white);
    p.fillRect(QRect(QPoint(right + last + 1, step), QPoint(right + step, bottom + step)), Qt::white);
    p.drawLine(right + step, step, right + step, bottom + step);
    p.drawLine(kEdge + step, bottom + step, right + step, bottom + step);
    p.drawLine(right + last, last, right + step, step);
    p.drawLine(kEdge + last, bottom + last, kEdge + step, bottom + step);
  }
  p.fillRect(QRect(0, 0, kEdge, h - kEdge), key_colour_);
}

void TfrmZavoDuzade::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ApplyUserSettings();
}

void TfrmZavoDuzade::closeEvent(QCloseEvent* event) {
  desktop_->hide();
  if (tray_ != nullptr) tray_->hide();
  event->accept();
  emit closed();
}

QString TfrmZavoDuzade::PictureFor(int mode, const QString& file) const {
  if (mode == 0 || file.isEmpty() || !QFileInfo(file).isFile()) return {};
  return file;
}

void TfrmZavoDuzade::ApplyDesktopPicture(const TLearnerDisplay& display) {
  desktop_->ShowPicture(PictureFor(display.desktop_picture_mode, display.desktop_picture));
}

void TfrmZavoDuzade::ApplyBookPicture(const TLearnerDisplay& display) {
  const QString file = PictureFor(display.book_picture_mode, display.book_picture);
  if (file.isEmpty()) {
    book_picture_file_.clear();
    book_picture_->clear();
    return;
  }
  if (file == book_picture_file_) return;
  book_picture_file_ = file;
  book_picture_->setPixmap(QPixmap(file));
}

void TfrmZavoDuzade::ApplyUserSettings() {
  const TLearnerDisplay display = learners_.CurrentDisplay();
  desktop_->SetColour(ColourOf(display.desktop_colour));
  if (display.show_desktop) {
    if (const QScreen* screen = this->screen()) desktop_->setGeometry(screen->geometry());
    desktop_->show();
    ApplyDesktopPicture(display);
    raise();
  } else {
    desktop_->hide();
  }
  update();
  ApplyBookPicture(display);
  if (world_started_ && world_user_index_ == learners_.CurrentLearnerIndex()) return;
  StartWorld();
}

void TfrmZavoDuzade::StartWorld() {
  world_.reset();
  Button("btnToobarVisible")->SetDown(false);
  world_started_ = true;
  world_user_index_ = learners_.CurrentLearnerIndex();
  // The reciting world plugs in here; without a factory the window runs without a world.
  if (options_.world_factory) world_ = options_.world_factory(*this);
  if (world_) {
    world_->Start();
    world_->Redisplay();
  }
  desktop_->IgnorePicturePresses = true;
  progress_timer_.start();
  QCoreApplication::processEvents();
  ApplyUserSettings();
}

void TfrmZavoDuzade::FireProgressTimer() {
  progress_timer_.stop();
  desktop_->IgnorePicturePresses = false;
}

void TfrmZavoDuzade::HideMainWindow() {
  if (!hide_allowed_ || (world_ && !world_->AllowHide())) return;
  desktop_->hide();
  hide();
}

void TfrmZavoDuzade::HotKeyPressed() {
  if (isVisible()) {
    HideMainWindow();
    return;
  }
  show();
  if (learners_.CurrentDisplay().centre_on_hot_key) {
    if (const QScreen* screen = this->screen()) {
      const QRect area = screen->geometry();
      move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
  }
  raise();
  activateWindow();
}

void TfrmZavoDuzade::ShowFromTray() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void TfrmZavoDuzade::BuildUserMenu() {
  user_menu_->clear();
  ticked_user_index_ = -1;
  const QStringList names = learners_.LearnerNames();
  const int current = learners_.CurrentLearnerIndex();
  for (int i = 0; i < names.size(); ++i) {
    QAction* item = user_menu_->addAction(names[i]);
    item->setObjectName(QStringLiteral("mmiUser%1").arg(i));
    item->setData(i);
    item->setCheckable(true);
    item->setChecked(i == current);
    if (i == current) ticked_user_index_ = i;
    connect(item, &QAction::triggered, this, [this, i] { SwitchUser(i); });
  }
}

void TfrmZavoDuzade::SwitchUser(int index) {
  const int current = learners_.CurrentLearnerIndex();
  if (index == current) return;
  hide_allowed_ = false;
  TfrmLogin dialog(learners_, index, current, QStringLiteral("切换用户"), this);
  if (!RunLoginDialog(dialog)) {
    if (world_) world_->Redisplay();
  } else {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ApplyBookPicture(learners_.CurrentDisplay());
    learners_.MarkCurrentActive();
    StartWorld();
    QApplication::restoreOverrideCursor();
  }
  hide_allowed_ = true;
}

void TfrmZavoDuzade::HandleKey(int qt_key, Qt::KeyboardModifiers modifiers) {
  const int key = VirtualKeyOf(qt_key, modifiers);
  if (!world_) {
    if (key == vk::kEscape) close();
    return;
  }
  if (key != 0) world_->KeyDown(key, CommandModifierOf(modifiers));
}

void TfrmZavoDuzade::keyPressEvent(QKeyEvent* event) {
  HandleKey(event->key(), event->modifiers());
  event->accept();
}

bool TfrmZavoDuzade::event(QEvent* event) {
  if (event->type() == TForwardedKeyEvent::kType) {
    const auto* forwarded = static_cast<TForwardedKeyEvent*>(event);
    HandleKey(forwarded->QtKey(), forwarded->Modifiers());
    return true;
  }
  return QWidget::event(event);
}

void TfrmZavoDuzade::UpdateToolBarVisibility(QPoint global) {
  const QRect frame = frameGeometry();
  const int x = global.x(), y = global.y();
  const bool pinned = Button("btnToobarVisible")->Down();
  const bool on_strip =
      frame.left() < x && x < frame.left() + width() && frame.top() < y && y < frame.top() + tool_bar_->height();
  if (on_strip) {
    tool_bar_->setVisible(decoration_->isVisible());
    tool_bar_timer_.start();
  } else {
    tool_bar_->setVisible(pinned && decoration_->isVisible());
  }
  if (tool_bar_->isVisible() && !pinned) {
    if (!tool_bar_timer_.isActive()) tool_bar_timer_.start();
  } else {
    tool_bar_timer_.stop();
  }
}

void TfrmZavoDuzade::OnToolBarTimer() { UpdateToolBarVisibility(CursorPosition()); }

bool TfrmZavoDuzade::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    UpdateToolBarVisibility(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
  }
  return QWidget::eventFilter(watched, event);
}

void TfrmZavoDuzade::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // The whole body drags the window.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TfrmZavoDuzade::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) move(event->globalPosition().toPoint() - drag_offset_);
}

void TfrmZavoDuzade::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

}  // namespace zidezo::app
