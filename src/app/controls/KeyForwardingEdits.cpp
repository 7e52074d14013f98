#include "controls/KeyForwardingEdits.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

namespace zidezo::app {

namespace {

bool IsArrow(int key) { return key == Qt::Key_Up || key == Qt::Key_Down; }

// The shared rule of the spelling boxes; true when the key was handed on.
bool ForwardSpellKey(const TKeyTargets& targets, const QKeyEvent& event) {
  if (IsArrow(event.key()) && targets.ArrowTarget) {
    ForwardKey(targets.ArrowTarget, event);
    return true;
  }
  if (!IsArrow(event.key()) && targets.KeyTarget && targets.ForwardKeys) {
    ForwardKey(targets.KeyTarget, event);
    return true;
  }
  return false;
}

void SetFocusAllowed(QWidget* widget, bool allow) { widget->setFocusPolicy(allow ? Qt::StrongFocus : Qt::NoFocus); }

}  // namespace

void ForwardKey(QWidget* target, const QKeyEvent& event) {
  QKeyEvent copy(event.type(), event.key(), event.modifiers(), event.text(), event.isAutoRepeat(),
                 static_cast<quint16>(event.count()));
  QCoreApplication::sendEvent(target, &copy);
}

TSpellMemo::TSpellMemo(QWidget* parent) : QLineEdit(parent) {}

void TSpellMemo::SetAllowFocus(bool allow) { SetFocusAllowed(this, allow); }

void TSpellMemo::keyPressEvent(QKeyEvent* event) {
  if (ForwardSpellKey(*this, *event)) return;
  QLineEdit::keyPressEvent(event);
}

TTransparentRichEdit::TTransparentRichEdit(QWidget* parent) : QTextEdit(parent) {
  setFrameShape(QFrame::NoFrame);
  viewport()->setAutoFillBackground(false);
  setAutoFillBackground(false);
  setStyleSheet("background: transparent;");
}

void TTransparentRichEdit::SetAllowFocus(bool allow) { SetFocusAllowed(this, allow); }

void TSpellRichEdit::keyPressEvent(QKeyEvent* event) {
  if (ForwardSpellKey(*this, *event)) return;
  QTextEdit::keyPressEvent(event);
}

void TRichEdit3::keyPressEvent(QKeyEvent* event) {
  if (IsArrow(event->key()) && ArrowTarget) {
    ForwardKey(ArrowTarget, *event);
    return;
  }
  if (!KeyTarget) {
    QTextEdit::keyPressEvent(event);
    return;
  }
  ForwardKey(KeyTarget, *event);
  const int key = event->key();
  if (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_A || key == Qt::Key_C) {
    QTextEdit::keyPressEvent(event);
  }
}

TWritingMemo::TWritingMemo(QWidget* parent) : QPlainTextEdit(parent) {}

int TWritingMemo::CaretLine() const {
  const QTextCursor caret = textCursor();
  int line = 0;
  for (QTextBlock block = document()->firstBlock(); block.isValid() && block != caret.block(); block = block.next()) {
    line += std::max(block.layout()->lineCount(), 1);
  }
  const QTextLayout* layout = caret.block().layout();
  const QTextLine in_block = layout->lineForTextPosition(caret.positionInBlock());
  return line + (in_block.isValid() ? in_block.lineNumber() : 0);
}

int TWritingMemo::LineCount() const {
  int lines = 0;
  for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
    lines += std::max(block.layout()->lineCount(), 1);
  }
  return lines;
}

int WritingMemoCommand(int qt_key, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
  if (held == Qt::ControlModifier) {
    switch (qt_key) {
      case Qt::Key_Home: return 0;
      case Qt::Key_End: return 3;
      case Qt::Key_Left: return 1;
      case Qt::Key_Right: return 2;
      default: break;
    }
  }
  switch (qt_key) {
    case Qt::Key_F5:
    case Qt::Key_F6: return 1;
    case Qt::Key_F7:
    case Qt::Key_F8: return 2;
    case Qt::Key_F9: return 6;
    default: return -1;
  }
}

void TWritingMemo::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (IsArrow(key) && ArrowTarget) {
    const bool empty = document()->isEmpty();
    const bool at_edge = key == Qt::Key_Up ? CaretLine() == 0 : CaretLine() + 1 == LineCount();
    if (empty || at_edge) {
      ForwardKey(ArrowTarget, *event);
      return;
    }
  }
  if (key == Qt::Key_F1 && ArrowTarget) ForwardKey(ArrowTarget, *event);
  QPlainTextEdit::keyPressEvent(event);
  if (!OnKeyCommand) return;
  if (const int command = WritingMemoCommand(key, event->modifiers()); command >= 0) OnKeyCommand(command);
}

}  // namespace zidezo::app
