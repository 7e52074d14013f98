#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "shell/LearnerDirectory.h"

namespace zidezo::app {

// The login dialog: picks a learner and checks the password. Enter in either field tries the
// login, Escape cancels. A wrong password empties the field, without a message or a limit.
class TfrmLogin : public QDialog {
  Q_OBJECT
 public:
  // cancel_position: the learner whose choice cancels (the current one when switching users), -1 none.
  TfrmLogin(ILearnerDirectory& learners, int preselected, int cancel_position = -1, const QString& caption = {},
            QWidget* parent = nullptr);

  bool Cancelled() const { return cancelled_; }
  QComboBox* UserBox() const { return user_box_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QLabel* Hint() const { return hint_; }

  // What Enter does.
  void TryLogin();

  static inline const QString kHint = QStringLiteral("初始密码为空，回车即可。退出按ESC。");

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  ILearnerDirectory& learners_;
  int preselected_;
  int cancel_position_;
  bool cancelled_ = true;
  QComboBox* user_box_;
  QLineEdit* password_;
  QLabel* hint_;
};

}  // namespace zidezo::app
