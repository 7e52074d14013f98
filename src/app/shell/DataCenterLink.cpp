#include "shell/DataCenterLink.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <filesystem>

#include "data/Ini.h"
#include "learners/NewInstallation.h"
#include "shell/Entry.h"
#include "shell/LoginDialog.h"
#include "shell/Pictures.h"

namespace zidezo::app {

namespace {

QString PathText(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

QString PictureIn(const std::filesystem::path& folder, const std::string& file) {
  return file.empty() ? QString() : PathText(folder / file);
}

}  // namespace

TDataCenterLink::TDataCenterLink(DataPaths paths) : paths_(paths), center_(std::move(paths)) {
  SetDefaultSettingsFile(paths_.SettingsFile().string());
}

bool TDataCenterLink::Open(std::string& error) {
  return EnsureInstallation(paths_, error) && center_.Open(error);
}

QString TDataCenterLink::CompanyValue(const char* key) const {
  TIni settings(paths_.SettingsFile().string());
  settings.Section = "Company";
  return QString::fromStdString(settings.ReadString(key));
}

QString TDataCenterLink::PublisherName() const { return CompanyValue("Name"); }
QString TDataCenterLink::WebSite() const { return CompanyValue("WebSite"); }
QString TDataCenterLink::DataRoot() const { return PathText(paths_.root); }

QStringList TDataCenterLink::LearnerNames() const {
  QStringList names;
  for (const TUser* user : center_.Learners()) names << QString::fromStdString(user->Name());
  return names;
}

int TDataCenterLink::CurrentLearnerIndex() const {
  const auto learners = center_.Learners();
  for (size_t i = 0; i < learners.size(); ++i) {
    if (learners[i] == center_.CurrentUser()) return static_cast<int>(i);
  }
  return -1;
}

bool TDataCenterLink::Login(int index, const QString& password) {
  const auto learners = center_.Learners();
  if (index < 0 || index >= static_cast<int>(learners.size())) return false;
  return center_.Login(learners[static_cast<size_t>(index)], password.toStdString());
}

void TDataCenterLink::MarkCurrentActive() {
  if (const TUser* user = center_.CurrentUser()) center_.MarkUserActive(user->Number());
}

TLearnerDisplay TDataCenterLink::CurrentDisplay() const {
  TLearnerDisplay display;
  const TUser* user = center_.CurrentUser();
  if (user == nullptr) return display;
  const TUserConfig& config = user->Config();
  display.desktop_colour = config.Key(22);
  display.show_desktop = config.Flag(21);
  display.desktop_picture_mode = config.Key(27);
  display.book_picture_mode = config.Key(28);
  display.centre_on_hot_key = config.Flag(14);
  display.desktop_picture = PictureIn(user->DesktopFolder(), user->DeskTopPicture());
  display.book_picture = PictureIn(user->BookFolder(), user->BookPicture());
  return display;
}

TUser* EditUser(TDataCenter& center, TUser* user, bool view_only, IDialogs& dialogs, QWidget* parent) {
  TfrmUser dialog(user != nullptr ? &user->Fields() : nullptr, view_only, ValidateUserInput, dialogs, parent);
  if (dialog.exec() != QDialog::Accepted) return user;
  const TUserFields fields = dialog.Fields();
  if (user != nullptr) {
    if (!user->Save(fields)) {
      dialogs.Message(parent, QStringLiteral("提醒"), QStringLiteral("用户信息没有保存。"), TMessageKind::kError);
    }
    return user;
  }
  auto created = center.NewUser();
  if (!created->Save(fields)) {
    dialogs.Message(parent, QStringLiteral("提醒"), QStringLiteral("新用户没有保存。"), TMessageKind::kError);
    return nullptr;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::string error;
  TUser* stored = center.InitialiseNewUser(std::move(created), error);
  QApplication::restoreOverrideCursor();
  if (stored == nullptr) {
    dialogs.Message(parent, QStringLiteral("提醒"), QString::fromStdString(error), TMessageKind::kError);
  }
  return stored;
}

namespace {

// Messages of an unattended run go to the error stream instead of waiting for a click.
class TPrintedMessages : public IDialogs {
 public:
  void Message(QWidget*, const QString& caption, const QString& text, TMessageKind) override {
    qWarning("%s: %s", qUtf8Printable(caption), qUtf8Printable(text));
  }
};

// --screenshot DIR: saves the login dialog and the main window as pictures, then ends.
void SaveShot(QWidget& widget, const QString& file) {
  QImage shot = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QRegion shape = widget.mask();
  if (!shape.isEmpty()) {
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        if (!shape.contains(QPoint(x, y))) shot.setPixel(x, y, qRgba(0, 0, 0, 0));
      }
    }
  }
  shot.save(file);
}

}  // namespace

int RunProgram(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("zidezo");
  QApplication::setWindowIcon(ProgramIcon());
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addOption({"home", QStringLiteral("data root"), "DIR"});
  QCommandLineOption screenshot("screenshot", "", "DIR");
  screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(screenshot);
  parser.process(application);

  DataPaths paths{ResolveDataRoot(parser.value("home").toStdString())};
  TDataCenterLink data(paths);
  TMessageBoxes message_boxes;
  TPrintedMessages printed;
  TEntryOptions options;
  const QString shots = parser.value(screenshot);
  IDialogs& dialogs = shots.isEmpty() ? static_cast<IDialogs&>(message_boxes) : printed;
  if (!shots.isEmpty()) {
    QDir().mkpath(shots);
    options.use_hot_key = false;
    options.run_login = [shots](TfrmLogin& login) {
      login.show();
      for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
      SaveShot(login, QDir(shots).filePath("login.png"));
      login.TryLogin();
      return !login.Cancelled();
    };
    options.on_main_window = [shots](TfrmZavoDuzade& window) {
      window.ToolBar()->show();  // what the pointer on the top strip shows
      QTimer::singleShot(1500, &window, [&window, shots] {
        SaveShot(window, QDir(shots).filePath("main.png"));
        window.close();
      });
    };
  }
  return RunEntry(application, data, dialogs, options);
}

}  // namespace zidezo::app
