#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <string>

#include "learners/User.h"
#include "shell/Dialogs.h"

namespace zidezo::app {

class TMyEdit;

// The check of "确定": "" when the input may be stored, else the message to show.
using TUserValidator = std::function<std::string(const std::string& name, const std::string& password,
                                                 const std::string& confirmation)>;

// A learner number field: digits and Backspace only; a pasted text with anything else empties it.
class TDigitsEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TDigitsEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A full-name field that refuses the characters a file name cannot hold: \ / : * ? " < > |
class TFileNameEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TFileNameEdit(QWidget* parent = nullptr);
  static inline const QString kRefused = QStringLiteral("\\/:*?\"<>|");

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The user dialog "用户信息维护": basic data and mail settings of a learner.
class TfrmUser : public QDialog {
  Q_OBJECT
 public:
  // existing: the learner's fields, or null for a new learner. view_only: every text field
  // read-only and the dictionary box shown (an administrator grants the right); otherwise the
  // fields are editable and the box is hidden.
  TfrmUser(const TUserFields* existing, bool view_only, TUserValidator validate, IDialogs& dialogs,
           QWidget* parent = nullptr);

  // The fields as typed, trimmed.
  TUserFields Fields() const;
  // "确定": closes with OK when the input passes the check, else shows its message and stays.
  void Confirm();

  TMyEdit* NameEdit() const { return name_; }
  QLineEdit* RealNameEdit() const { return real_name_; }
  QLineEdit* NumberEdit() const { return number_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QLineEdit* ConfirmationEdit() const { return confirmation_; }
  QCheckBox* DictionaryBox() const { return dictionary_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  QWidget* BasicPage(bool view_only);
  QWidget* MailPage();
  void Fill(const TUserFields& fields);
  void SetReadOnly(bool read_only);

  TUserValidator validate_;
  IDialogs& dialogs_;
  bool administrator_ = false;
  TMyEdit* name_ = nullptr;
  QLineEdit* real_name_ = nullptr;
  QLineEdit* number_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* confirmation_ = nullptr;
  QCheckBox* dictionary_ = nullptr;
  QLineEdit* smtp_ = nullptr;
  QLineEdit* pop3_ = nullptr;
  QLineEdit* email_ = nullptr;
  QLineEdit* email_password_ = nullptr;
  QPlainTextEdit* teachers_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace zidezo::app
