#pragma once

#include <QString>

class QWidget;

namespace zidezo::app {

enum class TMessageKind { kInformation, kWarning, kError };

// The message boxes of the shell, behind an interface so that tests can answer them.
class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual void Message(QWidget* parent, const QString& caption, const QString& text, TMessageKind kind) = 0;
};

// The real message boxes.
class TMessageBoxes : public IDialogs {
 public:
  void Message(QWidget* parent, const QString& caption, const QString& text, TMessageKind kind) override;
};

}  // namespace zidezo::app
