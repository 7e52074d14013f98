#include "controls/KorvanaTimer.h"

#include <QtGlobal>
#include <exception>

namespace zidezo::app {

std::function<void(const char*)> TKorvanaTimer::OnHandlerError = [](const char* what) { qWarning("%s", what); };

TKorvanaTimer::TKorvanaTimer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Timer(); });
}

TKorvanaTimer::~TKorvanaTimer() {
  enabled_ = false;
  Rearm();
}

void TKorvanaTimer::SetInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Rearm();
}

void TKorvanaTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Rearm();
}

void TKorvanaTimer::SetOnTimer(THandler handler) {
  on_timer_ = std::move(handler);
  Rearm();
}

void TKorvanaTimer::Rearm() {
  timer_.stop();
  if (interval_ != 0 && enabled_ && on_timer_) timer_.start(interval_);
}

void TKorvanaTimer::Timer() {
  if (!on_timer_) return;
  try {
    on_timer_(*this);
  } catch (const std::exception& failure) {
    if (OnHandlerError) OnHandlerError(failure.what());
  }
}

}  // namespace zidezo::app
