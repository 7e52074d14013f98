#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QLabel>

namespace zidezo::app {

// A one-line edit box that refuses single and double quotes, typed or pasted (names and titles
// go into stored texts).
class TMyEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TMyEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void DropQuotes();
};

// The modal input box: a word-wrapped prompt, a TMyEdit and "OK" / "Cancel", laid out in dialog
// units of its font.
class TInputBox : public QDialog {
  Q_OBJECT
 public:
  TInputBox(const QString& caption, const QString& prompt, const QString& value, int max_length,
            QWidget* parent = nullptr);
  TMyEdit* Edit() const { return edit_; }
  QLabel* Prompt() const { return prompt_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // Dialog units: cx = the average width of A..Z and a..z, cy = the character height.
  static int HorizontalUnits(const QFont& font, int units);
  static int VerticalUnits(const QFont& font, int units);

 private:
  QLabel* prompt_;
  TMyEdit* edit_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// True and value replaced by the edited text on "OK"; false and value unchanged on Cancel or Esc.
bool InputText(const QString& caption, const QString& prompt, QString& value, int max_length,
               QWidget* parent = nullptr);

}  // namespace zidezo::app
