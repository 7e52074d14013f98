#include "shell/HotKey.h"

#include <QGuiApplication>

#ifdef ZIDEZO_HAVE_XCB
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#endif

namespace zidezo::app {

#ifdef ZIDEZO_HAVE_XCB
namespace {

// Lock, NumLock and their mix must not stop the grab.
constexpr uint16_t kIgnoredMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

QNativeInterface::QX11Application* X11() {
  auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  return application == nullptr ? nullptr : application->nativeInterface<QNativeInterface::QX11Application>();
}

xcb_window_t RootOf(xcb_connection_t* connection) {
  return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

}  // namespace
#endif

TGlobalHotKey::TGlobalHotKey(QObject* parent) : QObject(parent) {}

TGlobalHotKey::~TGlobalHotKey() { Unregister(); }

bool TGlobalHotKey::Register() {
#ifdef ZIDEZO_HAVE_XCB
  auto* x11 = X11();
  if (x11 == nullptr || x11->display() == nullptr || x11->connection() == nullptr) return false;
  Unregister();
  keycode_ = XKeysymToKeycode(x11->display(), XK_grave);
  if (keycode_ == 0) return false;
  xcb_connection_t* connection = x11->connection();
  for (const uint16_t extra : kIgnoredMasks) {
    xcb_grab_key(connection, 1, RootOf(connection), static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | extra),
                 static_cast<xcb_keycode_t>(keycode_), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
  }
  xcb_flush(connection);
  QCoreApplication::instance()->installNativeEventFilter(this);
  registered_ = true;
  return true;
#else
  return false;
#endif
}

void TGlobalHotKey::Unregister() {
  if (!registered_) return;
  registered_ = false;
#ifdef ZIDEZO_HAVE_XCB
  if (auto* x11 = X11(); x11 != nullptr && x11->connection() != nullptr) {
    xcb_connection_t* connection = x11->connection();
    for (const uint16_t extra : kIgnoredMasks) {
      xcb_ungrab_key(connection, static_cast<xcb_keycode_t>(keycode_), RootOf(connection),
                     static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | extra));
    }
    xcb_flush(connection);
  }
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
#endif
}

bool TGlobalHotKey::nativeEventFilter(const QByteArray& event_type, void* message, qintptr*) {
#ifdef ZIDEZO_HAVE_XCB
  if (event_type != "xcb_generic_event_t" || message == nullptr) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
  const auto* press = static_cast<const xcb_key_press_event_t*>(message);
  if (press->detail != keycode_ || (press->state & XCB_MOD_MASK_CONTROL) == 0) return false;
  emit activated();
  return true;
#else
  (void)event_type;
  (void)message;
  return false;
#endif
}

}  // namespace zidezo::app
