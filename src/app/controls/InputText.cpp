#include "controls/InputText.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace zidezo::app {

TMyEdit::TMyEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &TMyEdit::DropQuotes);
}

void TMyEdit::keyPressEvent(QKeyEvent* event) {
  if (event->text() == "'" || event->text() == "\"") return;
  QLineEdit::keyPressEvent(event);
}

void TMyEdit::DropQuotes() {
  const QString current = text();
  QString cleaned = current;
  cleaned.remove('\'').remove('"');
  if (cleaned == current) return;
  const int caret = std::min(static_cast<int>(cursorPosition()), static_cast<int>(cleaned.size()));
  setText(cleaned);
  setCursorPosition(caret);
}

int TInputBox::HorizontalUnits(const QFont& font, int units) {
  const QFontMetrics metrics(font);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int cx = metrics.horizontalAdvance(letters) / 52;
  return units * cx / 4;
}

int TInputBox::VerticalUnits(const QFont& font, int units) {
  const int cy = QFontMetrics(font).height();
  return units * cy / 8;
}

TInputBox::TInputBox(const QString& caption, const QString& prompt, const QString& value, int max_length,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompt_(new QLabel(prompt, this)),
      edit_(new TMyEdit(this)),
      ok_(new QPushButton("OK", this)),
      cancel_(new QPushButton("Cancel", this)) {
  setWindowTitle(caption);
  const QFont& f = font();
  const int label_width = HorizontalUnits(f, 164);
  prompt_->setWordWrap(true);
  prompt_->setGeometry(HorizontalUnits(f, 8), VerticalUnits(f, 8), label_width,
                       prompt_->heightForWidth(label_width) > 0 ? prompt_->heightForWidth(label_width)
                                                                : QFontMetrics(f).height());
  if (max_length > 0) edit_->setMaxLength(max_length);
  edit_->setText(value);
  edit_->selectAll();
  edit_->setGeometry(prompt_->x(), prompt_->geometry().bottom() + 1 + 5, label_width, edit_->sizeHint().height());
  const int button_top = edit_->geometry().bottom() + 1 + 15;
  const int button_width = HorizontalUnits(f, 50), button_height = VerticalUnits(f, 14);
  ok_->setGeometry(HorizontalUnits(f, 38), button_top, button_width, button_height);
  cancel_->setGeometry(HorizontalUnits(f, 92), button_top, button_width, button_height);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  setFixedSize(HorizontalUnits(f, 180), ok_->geometry().bottom() + 1 + 13);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  edit_->setFocus();
}

bool InputText(const QString& caption, const QString& prompt, QString& value, int max_length, QWidget* parent) {
  TInputBox box(caption, prompt, value, max_length, parent);
  if (box.exec() != QDialog::Accepted) return false;
  value = box.Edit()->text();
  return true;
}

}  // namespace zidezo::app
