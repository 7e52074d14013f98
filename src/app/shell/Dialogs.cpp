#include "shell/Dialogs.h"

#include <QMessageBox>

namespace zidezo::app {

void TMessageBoxes::Message(QWidget* parent, const QString& caption, const QString& text, TMessageKind kind) {
  switch (kind) {
    case TMessageKind::kInformation: QMessageBox::information(parent, caption, text); break;
    case TMessageKind::kWarning: QMessageBox::warning(parent, caption, text); break;
    case TMessageKind::kError: QMessageBox::critical(parent, caption, text); break;
  }
}

}  // namespace zidezo::app
