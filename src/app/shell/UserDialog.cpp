#include "shell/UserDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/InputText.h"

namespace zidezo::app {

namespace {

std::string Trimmed(const QString& text) { return text.trimmed().toStdString(); }

QLineEdit* PasswordField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setEchoMode(QLineEdit::Password);
  field->setMaxLength(50);
  return field;
}

}  // namespace

TDigitsEdit::TDigitsEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    for (const QChar c : text) {
      if (!c.isDigit()) {
        clear();
        return;
      }
    }
  });
}

void TDigitsEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
  if (printable && !typed.at(0).isDigit()) return;
  QLineEdit::keyPressEvent(event);
}

TFileNameEdit::TFileNameEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    QString cleaned = text;
    for (const QChar c : kRefused) cleaned.remove(c);
    if (cleaned != text) setText(cleaned);
  });
}

void TFileNameEdit::keyPressEvent(QKeyEvent* event) {
  if (!event->text().isEmpty() && kRefused.contains(event->text().at(0))) return;
  QLineEdit::keyPressEvent(event);
}

TfrmUser::TfrmUser(const TUserFields* existing, bool view_only, TUserValidator validate, IDialogs& dialogs,
                   QWidget* parent)
    : QDialog(parent), validate_(std::move(validate)), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("用户信息维护"));
  auto* pages = new QTabWidget(this);
  pages->addTab(BasicPage(view_only || existing == nullptr), QStringLiteral("基本信息"));
  pages->addTab(MailPage(), QStringLiteral("邮箱信息"));
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  connect(ok_, &QPushButton::clicked, this, &TfrmUser::Confirm);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages);
  layout->addWidget(buttons);
  connect(name_, &QLineEdit::textChanged, this, [this] { ok_->setEnabled(!name_->text().trimmed().isEmpty()); });
  ok_->setEnabled(false);
  if (existing != nullptr) Fill(*existing);
  SetReadOnly(view_only);
}

QWidget* TfrmUser::BasicPage(bool dictionary_visible) {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  name_ = new TMyEdit(page);
  name_->setMaxLength(30);
  real_name_ = new TFileNameEdit(page);
  real_name_->setMaxLength(200);
  number_ = new TDigitsEdit(page);
  number_->setMaxLength(20);
  password_ = PasswordField(page);
  confirmation_ = PasswordField(page);
  dictionary_ = new QCheckBox(QStringLiteral("可以修改词典"), page);
  dictionary_->setVisible(dictionary_visible);
  form->addRow(QStringLiteral("用户名:"), name_);
  form->addRow(QStringLiteral("真实姓名:"), real_name_);
  form->addRow(QStringLiteral("学号:"), number_);
  form->addRow(QStringLiteral("密码:"), password_);
  form->addRow(QStringLiteral("确认:"), confirmation_);
  form->addRow(dictionary_);
  return page;
}

QWidget* TfrmUser::MailPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  smtp_ = new QLineEdit(page);
  pop3_ = new QLineEdit(page);
  email_ = new QLineEdit(page);
  email_password_ = PasswordField(page);
  teachers_ = new QPlainTextEdit(page);
  form->addRow(QStringLiteral("SMTP服务器："), smtp_);
  form->addRow(QStringLiteral("POP3服务器："), pop3_);
  form->addRow(QStringLiteral("邮箱地址："), email_);
  form->addRow(QStringLiteral("邮箱密码："), email_password_);
  form->addRow(QStringLiteral("老师邮箱："), teachers_);
  form->addRow(new QLabel(QStringLiteral("注意：老师邮箱每行一个地址，行尾不要加分号；"), page));
  return page;
}

void TfrmUser::Fill(const TUserFields& fields) {
  const auto q = [](const std::string& text) { return QString::fromStdString(text); };
  name_->setText(q(fields.name));
  real_name_->setText(q(fields.real_name));
  number_->setText(q(fields.learner_number));
  password_->setText(q(fields.password));
  confirmation_->setText(q(fields.password));
  dictionary_->setChecked(fields.may_edit_dictionary);
  smtp_->setText(q(fields.smtp_host));
  pop3_->setText(q(fields.pop3_host));
  email_->setText(q(fields.email_address));
  email_password_->setText(q(fields.email_password));
  teachers_->setPlainText(q(fields.teacher_emails));
  administrator_ = fields.administrator;
}

void TfrmUser::SetReadOnly(bool read_only) {
  for (QLineEdit* field : {static_cast<QLineEdit*>(name_), real_name_, number_, password_, confirmation_, smtp_,
                           pop3_, email_, email_password_}) {
    field->setReadOnly(read_only);
  }
  teachers_->setReadOnly(read_only);
}

TUserFields TfrmUser::Fields() const {
  TUserFields fields;
  fields.name = Trimmed(name_->text());
  fields.password = Trimmed(password_->text());
  fields.real_name = Trimmed(real_name_->text());
  fields.learner_number = Trimmed(number_->text());
  fields.may_edit_dictionary = dictionary_->isChecked();
  fields.administrator = administrator_;
  fields.smtp_host = Trimmed(smtp_->text());
  fields.pop3_host = Trimmed(pop3_->text());
  fields.email_address = Trimmed(email_->text());
  fields.email_password = Trimmed(email_password_->text());
  fields.teacher_emails = Trimmed(teachers_->toPlainText());
  return fields;
}

void TfrmUser::Confirm() {
  const std::string problem =
      validate_ ? validate_(name_->text().toStdString(), password_->text().toStdString(),
                            confirmation_->text().toStdString())
                : std::string();
  if (!problem.empty()) {
    dialogs_.Message(this, QStringLiteral("提示"), QString::fromStdString(problem), TMessageKind::kWarning);
    return;
  }
  accept();
}

}  // namespace zidezo::app
