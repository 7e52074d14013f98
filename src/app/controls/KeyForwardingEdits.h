#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <functional>

namespace zidezo::app {

// Sends a copy of the key event synchronously to the target (which handles it as its own).
void ForwardKey(QWidget* target, const QKeyEvent& event);

// The targets and switches the edit boxes share; the owner sets them after creation.
struct TKeyTargets {
  QPointer<QWidget> ArrowTarget;  // receives Up and Down
  QPointer<QWidget> KeyTarget;    // receives the other keys
  bool ForwardKeys = false;
};

// A one-line spelling box: Up and Down go to the word list, other keys to the window while the
// box is switched off for browsing (ForwardKeys).
class TSpellMemo : public QLineEdit, public TKeyTargets {
  Q_OBJECT
 public:
  explicit TSpellMemo(QWidget* parent = nullptr);
  bool AllowFocus() const { return focusPolicy() != Qt::NoFocus; }
  void SetAllowFocus(bool allow);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A see-through rich-text box: the backdrop shows through its page.
class TTransparentRichEdit : public QTextEdit {
  Q_OBJECT
 public:
  explicit TTransparentRichEdit(QWidget* parent = nullptr);
  bool AllowFocus() const { return focusPolicy() != Qt::NoFocus; }
  void SetAllowFocus(bool allow);
};

// The rich-text spelling box: as TSpellMemo.
class TSpellRichEdit : public TTransparentRichEdit, public TKeyTargets {
  Q_OBJECT
 public:
  using TTransparentRichEdit::TTransparentRichEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A reading pane: every key goes to the target; only Page Up, Page Down, A and C (select all and
// copy) are handled by the pane as well.
class TRichEdit3 : public TTransparentRichEdit, public TKeyTargets {
  Q_OBJECT
 public:
  using TTransparentRichEdit::TTransparentRichEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The answer box of the test pages: Up on its first line and Down on its last go to the page grid,
// F1 also; Ctrl+Home/End/Left/Right and F5 to F9 become page commands.
class TWritingMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TWritingMemo(QWidget* parent = nullptr);
  QPointer<QWidget> ArrowTarget;
  // 0 first page, 1 previous, 2 next, 3 last, 6 hand in.
  std::function<void(int command)> OnKeyCommand;

  int CaretLine() const;
  int LineCount() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The command of a key in the answer box, or -1.
int WritingMemoCommand(int qt_key, Qt::KeyboardModifiers modifiers);

}  // namespace zidezo::app
