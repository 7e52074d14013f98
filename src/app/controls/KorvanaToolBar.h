#pragma once

#include <QPixmap>
#include <QWidget>
#include <vector>

namespace zidezo::app {

enum TKorvanaToolButtonStyle { ktbsSeperate, ktbsButton };

// A flat picture button of the tool bar: a raised frame while the pointer is over it, sunken while
// pressed or held down, an etched line as a separator; the picture greys out when disabled.
class TKorvanaToolButton : public QWidget {
  Q_OBJECT
 public:
  explicit TKorvanaToolButton(QWidget* parent = nullptr);

  TKorvanaToolButtonStyle Style() const { return style_; }
  void SetStyle(TKorvanaToolButtonStyle style);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // The shared pictures (borrowed).
  void SetImages(const std::vector<QPixmap>* images);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool Hovered() const { return hovered_; }

  // The picture as drawn: the image list's picture, its bottom-right colour see-through, and
  // every other pixel grey 0x808080 when the button is disabled. Null without a picture.
  QPixmap DrawnPicture() const;

 signals:
  void clicked();
  // The rectangle (in the window's coordinates) the window repaints when the frame must vanish.
  void backdropRepaintRequested(QRect rect);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void PaintFrame(class QPainter& painter, QRect rect, QColor top_left, QColor bottom_right);
  void RemoveFrame();

  TKorvanaToolButtonStyle style_ = ktbsButton;
  bool transparent_ = true;
  const std::vector<QPixmap>* images_ = nullptr;
  int image_index_ = -1;
  bool down_ = false;
  bool hovered_ = false;
  bool pressed_ = false;
  bool frame_drawn_ = false;
};

// The see-through row that lines its buttons up one pixel apart and takes their width + 20.
class TKorvanaToolBar : public QWidget {
  Q_OBJECT
 public:
  explicit TKorvanaToolBar(QWidget* parent = nullptr);

  void AddButton(TKorvanaToolButton* button);
  void ArrangeButtons();
  const std::vector<TKorvanaToolButton*>& Buttons() const { return buttons_; }

 private:
  std::vector<TKorvanaToolButton*> buttons_;  // borrowed
};

}  // namespace zidezo::app
