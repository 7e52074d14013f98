#include "shell/Logo.h"

#include <QGuiApplication>
#include <QScreen>

#include "shell/Pictures.h"

namespace zidezo::app {

TfrmLogo::TfrmLogo(const QString& publisher)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      publisher_(new QLabel(publisher, this)) {
  const QPixmap picture = LogoPicture();
  auto* background = new QLabel(this);
  background->setPixmap(picture);
  background->setGeometry(picture.rect());
  auto* title = new QLabel(QStringLiteral("背词"), this);
  QFont title_font(QStringLiteral("宋体"));
  title_font.setPixelSize(40);
  title_font.setBold(true);
  title->setFont(title_font);
  title->setStyleSheet("color: white;");
  title->setGeometry(170, 40, 230, 56);
  auto* slogan = new QLabel(QStringLiteral("记单词，背句子，天天进步"), this);
  slogan->setStyleSheet("color: white;");
  slogan->setGeometry(172, 104, 230, 24);
  publisher_->setStyleSheet("color: #e8e8e8;");
  publisher_->setGeometry(172, 180, 230, 22);
  setFixedSize(picture.size());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

}  // namespace zidezo::app
