#include "controls/KorvanaToolBar.h"

#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace zidezo::app {

namespace {
constexpr int kButtonWidth = 22;
constexpr int kSeparatorWidth = 12;
constexpr int kPictureSize = 16;
}  // namespace

TKorvanaToolButton::TKorvanaToolButton(QWidget* parent) : QWidget(parent) {
  resize(kButtonWidth, kButtonWidth);
  setAttribute(Qt::WA_Hover);
  setMouseTracking(true);
}

void TKorvanaToolButton::SetStyle(TKorvanaToolButtonStyle style) {
  if (style == style_) return;
  style_ = style;
  resize(style == ktbsButton ? kButtonWidth : kSeparatorWidth, height());
  update();
}

void TKorvanaToolButton::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  update();
}

void TKorvanaToolButton::SetImages(const std::vector<QPixmap>* images) {
  images_ = images;
  update();
}

void TKorvanaToolButton::SetImageIndex(int index) {
  if (index == image_index_) return;
  image_index_ = index;
  update();
}

void TKorvanaToolButton::SetDown(bool down) {
  if (down == down_) return;
  down_ = down;
  update();
}

QPixmap TKorvanaToolButton::DrawnPicture() const {
  if (images_ == nullptr || image_index_ < 0 || image_index_ >= static_cast<int>(images_->size())) return {};
  QImage image = (*images_)[static_cast<size_t>(image_index_)].toImage().convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return {};
  const QRgb see_through = image.pixel(image.width() - 1, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (pixel == see_through) {
        image.setPixel(x, y, qRgba(0, 0, 0, 0));
      } else if (!isEnabled()) {
        image.setPixel(x, y, qRgb(0x80, 0x80, 0x80));
      }
    }
  }
  return QPixmap::fromImage(image);
}

void TKorvanaToolButton::PaintFrame(QPainter& painter, QRect rect, QColor top_left, QColor bottom_right) {
  // (L, B) -> (L, T) -> (R, T) in one colour, (R, T) -> (R, B) -> (L, B) in the other, end points excluded.
  const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  painter.setPen(top_left);
  painter.drawLine(l, b, l, t + 1);
  painter.drawLine(l, t, r - 1, t);
  painter.setPen(bottom_right);
  painter.drawLine(r, t, r, b - 1);
  painter.drawLine(r, b, l + 1, b);
}

void TKorvanaToolButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  QColor highlight = colours.color(QPalette::Light);
  QColor shadow = colours.color(QPalette::Dark);
  const int w = width(), h = height();
  if (!transparent_) painter.fillRect(rect(), colours.color(QPalette::Button));
  if (style_ == ktbsSeperate) {
    PaintFrame(painter, QRect(QPoint(w / 2 - 1, 2), QPoint(w / 2, h - 3)), shadow, highlight);
    return;
  }
  if (down_) {
    PaintFrame(painter, QRect(0, 0, w, h), shadow, highlight);
    painter.fillRect(QRect(QPoint(2, 2), QPoint(w - 3, h - 3)), colours.color(QPalette::Button));
    frame_drawn_ = true;
  } else if (hovered_) {
    if (pressed_) std::swap(highlight, shadow);
    PaintFrame(painter, QRect(0, 0, w, h), highlight, shadow);
    frame_drawn_ = true;
  } else {
    frame_drawn_ = false;
  }
  const QPixmap picture = DrawnPicture();
  if (!picture.isNull()) painter.drawPixmap(QRect(3, (h - kPictureSize) / 2, kPictureSize, kPictureSize), picture);
}

void TKorvanaToolButton::RemoveFrame() {
  if (!frame_drawn_) return;
  frame_drawn_ = false;
  // A see-through button cannot erase its own frame: the window repaints what lies beneath it.
  const QRect in_window(mapTo(window(), QPoint(0, 0)), size());
  window()->update(in_window);
  emit backdropRepaintRequested(in_window);
}

void TKorvanaToolButton::enterEvent(QEnterEvent*) {
  if (hovered_) return;
  hovered_ = true;
  update();
}

void TKorvanaToolButton::leaveEvent(QEvent*) {
  if (!hovered_) return;
  hovered_ = false;
  if (!down_) RemoveFrame();
  update();
}

void TKorvanaToolButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  update();
}

void TKorvanaToolButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  update();
  if (rect().contains(event->position().toPoint()) && isEnabled()) emit clicked();
}

void TKorvanaToolButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}

TKorvanaToolBar::TKorvanaToolBar(QWidget* parent) : QWidget(parent) {
  // See-through: the window's backdrop shows between the buttons.
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
}

void TKorvanaToolBar::AddButton(TKorvanaToolButton* button) {
  buttons_.push_back(button);
  if (button->parentWidget() != this) button->setParent(this);
  ArrangeButtons();
}

void TKorvanaToolBar::ArrangeButtons() {
  int s = 0;
  int tallest = 0;
  for (auto* button : buttons_) {
    button->move(s + 1, 0);
    s += button->width() + 1;
    tallest = std::max(tallest, button->height());
  }
  resize(s + 20, std::max(height(), tallest));
}

}  // namespace zidezo::app
