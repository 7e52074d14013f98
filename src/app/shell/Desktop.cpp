#include "shell/Desktop.h"

#include <QFileInfo>
#include <QMouseEvent>

namespace zidezo::app {

TfrmDesktop::TfrmDesktop(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), picture_(new QLabel(this)) {
  setAutoFillBackground(true);
  SetColour(QColor(0x00, 0x80, 0x80));
  picture_->setScaledContents(true);
  picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TfrmDesktop::SetColour(const QColor& colour) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colour);
  setPalette(colours);
}

void TfrmDesktop::ShowPicture(const QString& file) {
  if (file.isEmpty() || !QFileInfo(file).isFile()) {
    picture_file_.clear();
    picture_->clear();
    return;
  }
  if (file == picture_file_) return;
  QPixmap picture(file);
  picture_file_ = picture.isNull() ? QString() : file;
  picture_->setPixmap(picture);
  picture_->setGeometry(rect());
}

void TfrmDesktop::resizeEvent(QResizeEvent*) { picture_->setGeometry(rect()); }

bool TfrmDesktop::PressAt(QPoint) {
  if (HasPicture() && IgnorePicturePresses) return false;
  if (OnDismiss) OnDismiss();
  return true;
}

void TfrmDesktop::mousePressEvent(QMouseEvent* event) { PressAt(event->position().toPoint()); }

}  // namespace zidezo::app
