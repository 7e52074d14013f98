#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>

#include "TestSupport.h"
#include "controls/ForwardedKey.h"
#include "controls/InputText.h"
#include "reciting/VirtualKeys.h"
#include "shell/Entry.h"
#include "shell/LoginDialog.h"
#include "shell/MainWindow.h"
#include "shell/SingleInstance.h"
#include "shell/UserDialog.h"

namespace zidezo::app {
namespace {

struct Shown {
  QString caption, text;
};

class ScriptedDialogs : public IDialogs {
 public:
  std::vector<Shown> shown;
  void Message(QWidget*, const QString& caption, const QString& text, TMessageKind) override {
    shown.push_back({caption, text});
  }
};

// Two learners; the login rule of the learners: trimmed, without regard to case.
class FakeData : public IProgramData {
 public:
  explicit FakeData(QString root) : root_(std::move(root)) {}
  QStringList names{"学生", "Tom"};
  QStringList passwords{"", "Secret"};
  int current = -1;
  int major = 2, minor = 0;
  int opens = 0, logins = 0, marks = 0;
  TLearnerDisplay display;

  bool Open(std::string&) override { return ++opens > 0; }
  int MajorVersion() const override { return major; }
  int MinorVersion() const override { return minor; }
  QString PublisherName() const override { return "出版社"; }
  QString WebSite() const override { return {}; }
  QString DataRoot() const override { return root_; }
  QStringList LearnerNames() const override { return names; }
  int LastActiveLearnerIndex() const override { return 1; }
  int CurrentLearnerIndex() const override { return current; }
  bool Login(int index, const QString& password) override {
    ++logins;
    if (password.trimmed().compare(passwords[index], Qt::CaseInsensitive) != 0) return false;
    current = index;
    return true;
  }
  void MarkCurrentActive() override { ++marks; }
  TLearnerDisplay CurrentDisplay() const override { return display; }
  TUser* CurrentUser() const override { return nullptr; }

 private:
  QString root_;
};

class FakeWorld : public IWorld {
 public:
  std::vector<std::pair<int, int>>* keys;
  int* redisplays;
  explicit FakeWorld(std::vector<std::pair<int, int>>* k, int* r) : keys(k), redisplays(r) {}
  const TUser* User() const override { return nullptr; }
  void Start() override {}
  void Redisplay() override { ++*redisplays; }
  void KeyDown(int key, int modifiers) override { keys->push_back({key, modifiers}); }
  QColor BackgroundColour() const override { return Qt::white; }
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() : data(QString::fromStdString(folder.Path().string())) {}
  std::unique_ptr<TfrmZavoDuzade> Window(TWorldFactory factory = {}) {
    TfrmZavoDuzade::TOptions options;
    options.data_root = data.DataRoot();
    options.world_factory = std::move(factory);
    options.use_tray = false;
    options.use_hot_key = false;
    data.current = 0;
    auto window = std::make_unique<TfrmZavoDuzade>(data, dialogs, options);
    window->move(50, 40);
    window->show();
    return window;
  }
  testing::TemporaryFolder folder;
  FakeData data;
  ScriptedDialogs dialogs;
};

TEST_F(ShellTest, AWrongDatabaseVersionIsRefusedWithItsMessageBeforeTheLogin) {
  data.minor = 1;
  TEntryOptions options;
  options.run_loop = false;
  bool login_shown = false;
  options.run_login = [&](TfrmLogin&) { return login_shown = true; };
  EXPECT_EQ(RunEntry(*qApp, data, dialogs, options), 1);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "提醒");
  EXPECT_EQ(dialogs.shown[0].text, kVersionMessage);
  EXPECT_FALSE(login_shown);
}

TEST_F(ShellTest, ASecondCopyOnTheSameDataRootLeavesSilentlyAndAsksTheFirstToShow) {
  TSingleInstance first(data.DataRoot());
  ASSERT_TRUE(first.Acquire());
  QSignalSpy asked(&first, &TSingleInstance::showRequested);
  TEntryOptions options;
  options.run_loop = false;
  EXPECT_EQ(RunEntry(*qApp, data, dialogs, options), 0);
  EXPECT_EQ(data.opens, 0);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(asked.wait(2000));
}

TEST_F(ShellTest, TheEntryShowsTheLoginWithTheLastActiveLearnerThenTheMainWindow) {
  TEntryOptions options;
  options.run_loop = false;
  options.use_tray = false;
  options.use_hot_key = false;
  int preselected = -1;
  options.run_login = [&](TfrmLogin& login) {
    login.show();
    preselected = login.UserBox()->currentIndex();
    login.PasswordEdit()->setText("  sECRET ");
    login.TryLogin();
    return !login.Cancelled();
  };
  std::unique_ptr<TfrmZavoDuzade> window;
  EXPECT_EQ(RunEntry(*qApp, data, dialogs, options, &window), 0);
  EXPECT_EQ(preselected, 1);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(data.current, 1);
}

TEST_F(ShellTest, LoginKeepsTheDialogOpenOnAWrongPasswordAndCancelsOnTheCancelPosition) {
  TfrmLogin login(data, 1, -1);
  login.show();
  EXPECT_EQ(login.windowTitle(), "登录");
  EXPECT_EQ(login.Hint()->text(), "初始密码为空，回车即可。退出按ESC。");
  login.PasswordEdit()->setText("wrong");
  login.TryLogin();
  EXPECT_TRUE(login.Cancelled());
  EXPECT_TRUE(login.PasswordEdit()->text().isEmpty());
  EXPECT_TRUE(login.isVisible());
  login.UserBox()->setCurrentIndex(0);
  login.TryLogin();  // empty password of the ready learner
  EXPECT_FALSE(login.Cancelled());

  TfrmLogin switching(data, 1, 0, "切换用户");
  switching.show();
  EXPECT_EQ(switching.windowTitle(), "切换用户");
  switching.UserBox()->setCurrentIndex(0);
  const int logins = data.logins;
  switching.TryLogin();
  EXPECT_TRUE(switching.Cancelled());
  EXPECT_EQ(data.logins, logins);
}

TEST_F(ShellTest, EscapeWithoutAWorldClosesTheWindow) {
  auto window = Window();
  QSignalSpy closed(window.get(), &TfrmZavoDuzade::closed);
  window->HandleKey(Qt::Key_A, Qt::NoModifier);
  EXPECT_EQ(closed.count(), 0);
  window->HandleKey(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_EQ(closed.count(), 1);
}

TEST_F(ShellTest, KeysAndForwardedKeysGoToTheWorldWithTheCtrlModifier) {
  std::vector<std::pair<int, int>> keys;
  int redisplays = 0;
  auto window = Window([&](TfrmZavoDuzade&) { return std::make_unique<FakeWorld>(&keys, &redisplays); });
  ASSERT_NE(window->World(), nullptr);
  window->HandleKey(Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::postEvent(window.get(), new TForwardedKeyEvent(Qt::Key_Home, Qt::ControlModifier, {}));
  QCoreApplication::processEvents();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0], std::make_pair(vk::kEscape, 0));
  EXPECT_EQ(keys[1], std::make_pair(vk::kHome, vk::kModifierCtrl));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(ShellTest, ToolBarShowsOnTheTopStripAndHidesAtTheFirstTickAfterUnlessPinned) {
  auto window = Window();
  QPoint pointer;
  window->CursorPosition = [&] { return pointer; };
  const QRect frame = window->frameGeometry();
  const QPoint on_strip = frame.topLeft() + QPoint(100, 5);
  const QPoint below = frame.topLeft() + QPoint(100, 200);
  window->UpdateToolBarVisibility(on_strip);
  EXPECT_TRUE(window->ToolBar()->isVisible());
  EXPECT_TRUE(window->ToolBarTimerActive());
  pointer = below;
  window->OnToolBarTimer();
  EXPECT_FALSE(window->ToolBar()->isVisible());
  EXPECT_FALSE(window->ToolBarTimerActive());
  // The strip's edges themselves do not count.
  window->UpdateToolBarVisibility(QPoint(frame.left(), on_strip.y()));
  EXPECT_FALSE(window->ToolBar()->isVisible());

  window->UpdateToolBarVisibility(on_strip);
  window->Button("btnToobarVisible")->SetDown(true);
  window->OnToolBarTimer();
  EXPECT_TRUE(window->ToolBar()->isVisible());
  EXPECT_FALSE(window->ToolBarTimerActive());
}

TEST_F(ShellTest, ToolBarButtonsStandInTheirOrderWithTheirHints) {
  auto window = Window();
  const std::vector<std::pair<const char*, const char*>> expected{
      {"btnUser", "选择用户"},          {"", ""},
      {"btnExercise", "做练习"},        {"", ""},
      {"btnFirst", "第一页(Home键)"},   {"btnPrior", "前一页(左方向键)"},
      {"btnNext", "后一页(右方向键)"}, {"btnLast", "最后页(End键)"},
      {"", ""},                         {"btnTimeStatistics", "使用时间统计"},
      {"btnToobarVisible", "固定工具条"}, {"btnManageHelp", "管理快捷键"},
      {"btnSetup", "设置当前用户"},     {"", ""},
      {"btnHelp", "查看使用手册"},      {"", ""},
      {"btnReturn", "退出程序"}};
  const auto& buttons = window->ToolBar()->Buttons();
  ASSERT_EQ(buttons.size(), expected.size());
  int s = 0;
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->objectName(), expected[i].first) << i;
    EXPECT_EQ(buttons[i]->toolTip(), QString::fromUtf8(expected[i].second)) << i;
    EXPECT_EQ(buttons[i]->Style(), *expected[i].first ? ktbsButton : ktbsSeperate) << i;
    EXPECT_EQ(buttons[i]->x(), s + 1);
    s += buttons[i]->width() + 1;
  }
  EXPECT_EQ(window->ToolBar()->width(), s + 20);
}

TEST_F(ShellTest, HotKeyHidesAVisibleWindowAndCentresAHiddenOneWhenTheLearnerWantsIt) {
  auto window = Window();
  window->HotKeyPressed();
  EXPECT_FALSE(window->isVisible());
  data.display.centre_on_hot_key = true;
  window->HotKeyPressed();
  EXPECT_TRUE(window->isVisible());
  const QRect screen = window->screen()->geometry();
  EXPECT_EQ(window->pos(), QPoint(screen.left() + (screen.width() - window->width()) / 2,
                                  screen.top() + (screen.height() - window->height()) / 2));
}

TEST_F(ShellTest, ChoosingTheTickedUserOpensNoDialogAnotherOneSwitches) {
  std::vector<std::pair<int, int>> keys;
  int redisplays = 0;
  auto window = Window([&](TfrmZavoDuzade&) { return std::make_unique<FakeWorld>(&keys, &redisplays); });
  window->BuildUserMenu();
  EXPECT_EQ(window->TickedUserIndex(), 0);
  ASSERT_EQ(window->UserMenu()->actions().size(), 2);
  EXPECT_EQ(window->UserMenu()->actions()[1]->objectName(), "mmiUser1");
  int dialogs_run = 0;
  QString caption;
  int cancel_choice_logins = -1;
  window->RunLoginDialog = [&](TfrmLogin& dialog) {
    ++dialogs_run;
    caption = dialog.windowTitle();
    dialog.show();
    EXPECT_FALSE(window->HideAllowed());
    dialog.UserBox()->setCurrentIndex(0);  // the current learner again: cancels
    const int before = data.logins;
    dialog.TryLogin();
    cancel_choice_logins = data.logins - before;
    return !dialog.Cancelled();
  };
  window->SwitchUser(0);
  EXPECT_EQ(dialogs_run, 0);
  const int shown_before = redisplays;
  window->SwitchUser(1);
  EXPECT_EQ(dialogs_run, 1);
  EXPECT_EQ(caption, "切换用户");
  EXPECT_EQ(cancel_choice_logins, 0);
  EXPECT_EQ(redisplays, shown_before + 1);  // the cancelled switch redisplays the world
  EXPECT_EQ(data.current, 0);
  EXPECT_TRUE(window->HideAllowed());

  const int started_before = redisplays;
  window->RunLoginDialog = [&](TfrmLogin& dialog) {
    dialog.show();
    dialog.PasswordEdit()->setText("secret");
    dialog.TryLogin();
    return !dialog.Cancelled();
  };
  window->SwitchUser(1);
  EXPECT_EQ(data.current, 1);
  EXPECT_EQ(data.marks, 1);
  EXPECT_EQ(redisplays, started_before + 1);  // a new world for the new learner, shown once
}

TEST_F(ShellTest, BackdropPicturePressesAreIgnoredForTheFirstSecondAfterAWorldStart) {
  const QString picture = QString::fromStdString(folder.File("desk.png"));
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::blue);
  ASSERT_TRUE(image.save(picture));
  data.display.show_desktop = true;
  data.display.desktop_picture_mode = 1;
  data.display.desktop_picture = picture;
  auto window = Window();
  ASSERT_TRUE(window->Desktop()->isVisible());
  ASSERT_TRUE(window->Desktop()->HasPicture());
  EXPECT_TRUE(window->ProgressTimerActive());
  EXPECT_FALSE(window->Desktop()->PressAt(QPoint(3, 3)));
  EXPECT_TRUE(window->isVisible());
  window->FireProgressTimer();
  EXPECT_TRUE(window->Desktop()->PressAt(QPoint(3, 3)));
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->Desktop()->isVisible());
  window->HotKeyPressed();
  EXPECT_TRUE(window->isVisible());
}

TEST_F(ShellTest, MissingTempFolderIsCreatedAndTheLeftStripIsSeeThrough) {
  auto window = Window();
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "Temp"));
  const QRegion shape = window->ShapeRegion();
  EXPECT_FALSE(shape.contains(QPoint(5, 100)));
  EXPECT_TRUE(shape.contains(QPoint(100, 100)));
  EXPECT_LE(dialogs.shown.size(), 1u);  // the audio message, at most once
}

TEST(UserDialog, InputFiltersAndTheMessagesOfConfirm) {
  ScriptedDialogs dialogs;
  const TUserValidator validate = [](const std::string& name, const std::string& password, const std::string& confirmation) {
    if (QString::fromStdString(name).trimmed().isEmpty()) return std::string("用户名不能为空！ ");
    if (QString::fromStdString(password).trimmed().compare(QString::fromStdString(confirmation).trimmed(),
                                                           Qt::CaseInsensitive) != 0) {
      return std::string("密码输入不一致！");
    }
    return std::string();
  };
  TfrmUser dialog(nullptr, false, validate, dialogs);
  EXPECT_EQ(dialog.windowTitle(), "用户信息维护");
  EXPECT_FALSE(dialog.OkButton()->isEnabled());
  dialog.NameEdit()->setText(" o'ne\" ");
  EXPECT_EQ(dialog.NameEdit()->text(), " one ");
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
  dialog.RealNameEdit()->setText("a/b:c*d");
  EXPECT_EQ(dialog.RealNameEdit()->text(), "abcd");
  dialog.NumberEdit()->setText("123");
  EXPECT_EQ(dialog.NumberEdit()->text(), "123");
  dialog.NumberEdit()->setText("12a");
  EXPECT_EQ(dialog.NumberEdit()->text(), "");
  EXPECT_EQ(dialog.NameEdit()->maxLength(), 30);
  EXPECT_EQ(dialog.RealNameEdit()->maxLength(), 200);
  EXPECT_EQ(dialog.NumberEdit()->maxLength(), 20);
  EXPECT_EQ(dialog.PasswordEdit()->maxLength(), 50);
  dialog.PasswordEdit()->setText("abc");
  dialog.ConfirmationEdit()->setText("abd");
  dialog.Confirm();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "提示");
  EXPECT_EQ(dialogs.shown[0].text, "密码输入不一致！");
  EXPECT_EQ(dialog.result(), 0);
  dialog.ConfirmationEdit()->setText(" ABC ");
  dialog.Confirm();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Fields().name, "one");

  TUserFields someone;
  someone.name = "Tom";
  TfrmUser own(&someone, false, validate, dialogs);
  EXPECT_TRUE(own.DictionaryBox()->isHidden());
  TfrmUser viewed(&someone, true, validate, dialogs);
  EXPECT_FALSE(viewed.DictionaryBox()->isHidden());
  EXPECT_TRUE(viewed.NameEdit()->isReadOnly());
}

}  // namespace
}  // namespace zidezo::app
