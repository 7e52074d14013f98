#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace zidezo::app {

// Ctrl + "`" anywhere on the desktop, where the session allows a global key grab (X11). Elsewhere
// Register() answers false and the program runs without it.
class TGlobalHotKey : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT
 public:
  explicit TGlobalHotKey(QObject* parent = nullptr);
  ~TGlobalHotKey() override;

  bool Register();
  void Unregister();
  bool nativeEventFilter(const QByteArray& event_type, void* message, qintptr* result) override;

 signals:
  void activated();

 private:
  int keycode_ = 0;
  bool registered_ = false;
};

}  // namespace zidezo::app
