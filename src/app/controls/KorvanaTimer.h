#pragma once

#include <QTimer>
#include <functional>

namespace zidezo::app {

// A timer that re-arms only when a setting really changes; it never fires with interval 0 or
// without a handler. A handler that throws is reported and the timer keeps running.
class TKorvanaTimer {
 public:
  using THandler = std::function<void(TKorvanaTimer& sender)>;

  TKorvanaTimer();
  ~TKorvanaTimer();
  TKorvanaTimer(const TKorvanaTimer&) = delete;
  TKorvanaTimer& operator=(const TKorvanaTimer&) = delete;

  int Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  void SetInterval(int milliseconds);
  void SetEnabled(bool enabled);
  void SetOnTimer(THandler handler);
  bool Running() const { return timer_.isActive(); }

  // Fires OnTimer; what the hidden timer calls.
  virtual void Timer();

  // Where a handler's failure is shown (the program's general error display).
  static std::function<void(const char* what)> OnHandlerError;

 private:
  void Rearm();

  int interval_ = 1000;
  bool enabled_ = true;
  THandler on_timer_;
  QTimer timer_;
};

}  // namespace zidezo::app
