#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>

#include "controls/KorvanaToolBar.h"

namespace zidezo::app {
namespace {

TEST(KorvanaToolBar, ButtonsStandOnePixelApartAndTheBarTakesTheirWidthPlusTwenty) {
  TKorvanaToolBar bar;
  auto* first = new TKorvanaToolButton;
  auto* separator = new TKorvanaToolButton;
  separator->SetStyle(ktbsSeperate);
  auto* last = new TKorvanaToolButton;
  for (auto* button : {first, separator, last}) bar.AddButton(button);
  EXPECT_EQ(first->x(), 1);
  EXPECT_EQ(separator->x(), 24);
  EXPECT_EQ(last->x(), 37);
  EXPECT_EQ(bar.width(), 79);
}

TEST(KorvanaToolBar, StyleSetsTheWidth) {
  TKorvanaToolButton button;
  EXPECT_EQ(button.width(), 22);
  button.SetStyle(ktbsSeperate);
  EXPECT_EQ(button.width(), 12);
  button.SetStyle(ktbsButton);
  EXPECT_EQ(button.width(), 22);
}

TEST(KorvanaToolBar, DisabledPictureIsOneGreyOverTheSeeThroughColour) {
  QPixmap picture(16, 16);
  picture.fill(Qt::white);
  {
    QPainter p(&picture);
    p.fillRect(2, 2, 4, 4, Qt::red);
    p.fillRect(8, 8, 4, 4, Qt::blue);
  }
  const std::vector<QPixmap> images{picture};
  TKorvanaToolButton button;
  button.SetImages(&images);
  button.SetImageIndex(0);
  button.setEnabled(false);
  const QImage drawn = button.DrawnPicture().toImage();
  EXPECT_EQ(drawn.pixel(3, 3), qRgb(0x80, 0x80, 0x80));
  EXPECT_EQ(drawn.pixel(9, 9), qRgb(0x80, 0x80, 0x80));
  EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0);
  button.setEnabled(true);
  EXPECT_EQ(button.DrawnPicture().toImage().pixel(3, 3), QColor(Qt::red).rgb());
  for (const int index : {-1, 1}) {
    button.SetImageIndex(index);
    EXPECT_TRUE(button.DrawnPicture().isNull()) << index;
  }
}

TEST(KorvanaToolBar, LeavingAHoveredButtonRepaintsExactlyItsRectangle) {
  QWidget window;
  window.resize(200, 60);
  TKorvanaToolBar bar(&window);
  bar.move(40, 2);
  auto* button = new TKorvanaToolButton;
  bar.AddButton(new TKorvanaToolButton);
  bar.AddButton(button);
  window.show();
  QSignalSpy repaints(button, &TKorvanaToolButton::backdropRepaintRequested);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(button, &enter);
  button->grab();  // paints the hover frame
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button, &leave);
  ASSERT_EQ(repaints.count(), 1);
  EXPECT_EQ(repaints.at(0).at(0).toRect(), QRect(40 + 24, 2, 22, 22));
}

}  // namespace
}  // namespace zidezo::app
