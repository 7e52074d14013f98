#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>

namespace zidezo::app {

// The backdrop behind the main window: full screen, no border, teal by default, the learner's
// picture stretched over it. A press on it hides the main window; a press on the picture does so
// only once the first second after a world start is over.
class TfrmDesktop : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmDesktop(QWidget* parent = nullptr);

  void SetColour(const QColor& colour);
  // Shows the picture file, or none for an empty or missing file; a file already shown is kept.
  void ShowPicture(const QString& file);
  QString PictureFile() const { return picture_file_; }
  bool HasPicture() const { return !picture_->pixmap().isNull(); }
  bool IgnorePicturePresses = true;
  std::function<void()> OnDismiss;

  // What a press does; true when it dismissed the window.
  bool PressAt(QPoint point);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* picture_;
  QString picture_file_;
};

}  // namespace zidezo::app
