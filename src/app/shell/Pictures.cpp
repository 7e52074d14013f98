#include "shell/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

// Resources of a static library are registered by hand.
static void RegisterProgramResources() { Q_INIT_RESOURCE(zidezo); }

namespace zidezo::app {

namespace {

const QColor kInk(0x2a, 0x5d, 0x9f);
const QColor kTeal(0x3c, 0x8d, 0x7a);
const QColor kPaper(0xf4, 0xef, 0xe0);

void Triangle(QPainter& p, int tip_x, int base_x) {
  p.drawPolygon(QPolygon({QPoint(tip_x, 8), QPoint(base_x, 3), QPoint(base_x, 13)}));
}

QPixmap ToolPicture(int which) {
  QPixmap picture(16, 16);
  picture.fill(Qt::white);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(kInk, 1));
  p.setBrush(kInk);
  switch (which) {
    case kPictureUser:
      p.drawEllipse(5, 1, 5, 5);
      p.drawRect(3, 8, 9, 6);
      break;
    case kPictureExercise:
      p.setBrush(Qt::NoBrush);
      p.drawRect(2, 1, 11, 13);
      p.drawLine(4, 5, 11, 5);
      p.drawLine(4, 8, 11, 8);
      p.drawLine(4, 11, 8, 11);
      break;
    case kPictureFirst:
      p.drawRect(2, 3, 1, 10);
      Triangle(p, 4, 12);
      break;
    case kPicturePrior: Triangle(p, 3, 12); break;
    case kPictureNext: Triangle(p, 12, 3); break;
    case kPictureLast:
      p.drawRect(13, 3, 1, 10);
      Triangle(p, 11, 3);
      break;
    case kPictureTime:
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(1, 1, 13, 13);
      p.drawLine(8, 8, 8, 3);
      p.drawLine(8, 8, 11, 10);
      break;
    case kPicturePin:
      p.drawEllipse(5, 1, 6, 6);
      p.drawLine(8, 7, 8, 14);
      p.drawLine(4, 7, 12, 7);
      break;
    case kPictureKeys:
      p.setBrush(Qt::NoBrush);
      p.drawRect(1, 4, 13, 8);
      for (int x = 3; x < 13; x += 3) p.drawPoint(x, 7);
      p.drawLine(4, 10, 11, 10);
      break;
    case kPictureSetup:
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(4, 4, 7, 7);
      p.drawLine(8, 1, 8, 14);
      p.drawLine(1, 8, 14, 8);
      break;
    case kPictureHelp:
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(1, 1, 13, 13);
      p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, "?");
      break;
    default:
      p.setPen(QPen(QColor(0xb0, 0x30, 0x30), 2));
      p.drawLine(3, 3, 12, 12);
      p.drawLine(12, 3, 3, 12);
      break;
  }
  return picture;
}

}  // namespace

const std::vector<QPixmap>& ToolBarPictures() {
  static const std::vector<QPixmap> pictures = [] {
    std::vector<QPixmap> all;
    for (int i = 0; i < kToolPictureCount; ++i) all.push_back(ToolPicture(i));
    return all;
  }();
  return pictures;
}

QPixmap LoginPicture() {
  QPixmap picture(360, 120);
  QPainter p(&picture);
  QLinearGradient sky(0, 0, 360, 120);
  sky.setColorAt(0, kTeal);
  sky.setColorAt(1, kInk);
  p.fillRect(picture.rect(), sky);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(kPaper);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(24, 22, 62, 78, 4, 4);
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
  for (int y = 40; y <= 84; y += 11) p.drawLine(34, y, 76, y);
  p.setPen(Qt::white);
  QFont title("宋体");
  title.setPixelSize(30);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRect(104, 24, 240, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("背词"));
  QFont slogan("宋体");
  slogan.setPixelSize(14);
  p.setFont(slogan);
  p.drawText(QRect(106, 68, 240, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("每天记一点，天天有进步"));
  return picture;
}

QPixmap LogoPicture() {
  QPixmap picture(420, 220);
  QPainter p(&picture);
  QLinearGradient sky(0, 0, 0, 220);
  sky.setColorAt(0, kTeal);
  sky.setColorAt(1, kInk);
  p.fillRect(picture.rect(), sky);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(kPaper);
  p.setPen(Qt::NoPen);
  for (int i = 2; i >= 0; --i) p.drawRoundedRect(40 + i * 6, 40 - i * 6, 90, 120, 4, 4);
  p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
  for (int y = 60; y <= 130; y += 14) p.drawLine(56, y, 116, y);
  return picture;
}

QPixmap DecoratePicture(int width) {
  QPixmap picture(std::max(width, 1), 6);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  QLinearGradient band(0, 0, width, 0);
  band.setColorAt(0, kTeal);
  band.setColorAt(1, kPaper);
  p.fillRect(QRect(0, 0, width, 4), band);
  return picture;
}

QIcon ProgramIcon() {
  static const bool registered = (RegisterProgramResources(), true);
  (void)registered;
  QIcon icon(QStringLiteral(":/zidezo/icons/zidezo.svg"));
  if (!icon.pixmap(32, 32).isNull()) return icon;
  QPixmap fallback(32, 32);
  fallback.fill(kTeal);
  QPainter p(&fallback);
  p.fillRect(6, 4, 22, 24, kPaper);
  p.setPen(QPen(kInk, 2));
  for (int y = 10; y <= 22; y += 6) p.drawLine(10, y, 24, y);
  return QIcon(fallback);
}

}  // namespace zidezo::app
