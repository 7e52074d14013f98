#pragma once

#include <QEvent>
#include <QKeyEvent>

namespace zidezo::app {

// A key-down that the program's own controls hand to their owner window (the grid posts it, so
// the owner handles it after the grid has finished with the key). The owner treats it exactly
// like its own key-down.
class TForwardedKeyEvent : public QEvent {
 public:
  static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 1675);

  TForwardedKeyEvent(int qt_key, Qt::KeyboardModifiers modifiers, QString text)
      : QEvent(kType), qt_key_(qt_key), modifiers_(modifiers), text_(std::move(text)) {}

  int QtKey() const { return qt_key_; }
  Qt::KeyboardModifiers Modifiers() const { return modifiers_; }
  QKeyEvent AsKeyEvent() const { return QKeyEvent(QEvent::KeyPress, qt_key_, modifiers_, text_); }

 private:
  int qt_key_;
  Qt::KeyboardModifiers modifiers_;
  QString text_;
};

}  // namespace zidezo::app
