#pragma once

#include <QLabel>
#include <QWidget>

namespace zidezo::app {

// The splash window: picture, product title, slogan and the publisher label.
class TfrmLogo : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmLogo(const QString& publisher);
  QString Publisher() const { return publisher_->text(); }

 private:
  QLabel* publisher_;
};

}  // namespace zidezo::app
