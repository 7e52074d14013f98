#include "shell/LoginDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "shell/Pictures.h"

namespace zidezo::app {

TfrmLogin::TfrmLogin(ILearnerDirectory& learners, int preselected, int cancel_position, const QString& caption,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      learners_(learners),
      preselected_(preselected),
      cancel_position_(cancel_position),
      user_box_(new QComboBox(this)),
      password_(new QLineEdit(this)),
      hint_(new QLabel(kHint, this)) {
  setWindowTitle(caption.isEmpty() ? QStringLiteral("登录") : caption);
  auto* picture = new QLabel(this);
  picture->setPixmap(LoginPicture());
  picture->setGeometry(0, 0, 360, 120);
  auto* user_label = new QLabel(QStringLiteral("用户名："), this);
  auto* password_label = new QLabel(QStringLiteral("密  码："), this);
  user_label->setGeometry(60, 136, 70, 24);
  password_label->setGeometry(60, 170, 70, 24);
  user_box_->setGeometry(130, 136, 170, 24);
  user_box_->addItems(learners.LearnerNames());
  password_->setGeometry(130, 170, 170, 24);
  password_->setEchoMode(QLineEdit::Password);
  password_->setMaxLength(50);
  hint_->setGeometry(20, 206, 320, 22);
  hint_->setAlignment(Qt::AlignCenter);
  setFixedSize(360, 240);
  user_box_->installEventFilter(this);
  password_->installEventFilter(this);
  connect(user_box_, &QComboBox::activated, this, [this] { password_->setFocus(); });
}

void TfrmLogin::showEvent(QShowEvent* event) {
  const int count = user_box_->count();
  user_box_->setCurrentIndex(preselected_ >= 0 && preselected_ < count ? preselected_ : (count > 0 ? 0 : -1));
  if (parentWidget() == nullptr) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      move(screen->availableGeometry().center() - rect().center());
    }
  } else {
    move(parentWidget()->frameGeometry().center() - rect().center());
  }
  password_->setFocus();
  QDialog::showEvent(event);
}

void TfrmLogin::TryLogin() {
  const int selected = user_box_->currentIndex();
  if (selected == cancel_position_) {
    cancelled_ = true;
    reject();
    return;
  }
  if (selected >= 0 && learners_.Login(selected, password_->text())) {
    cancelled_ = false;
    accept();
    return;
  }
  password_->clear();
  password_->setFocus();
}

bool TfrmLogin::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      TryLogin();
      return true;
    }
    if (key == Qt::Key_Escape) {
      cancelled_ = true;
      reject();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zidezo::app
