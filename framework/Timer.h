#pragma once
// TTimer: raises OnTimer every Interval milliseconds while Enabled, through
// the message loop (a window-message timer of a hidden utility window), so
// ticks arrive only while messages are processed and never concurrently with
// other work. The timer runs only with Enabled true, Interval above 0 and
// OnTimer assigned; changing any of them restarts the countdown. A stopped
// timer raises nothing, not even for a tick that was already queued.

#include <cstdint>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t value);
  TNotifyEvent OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent value);
  // Whether the system timer is set now.
  bool Running() const { return running_; }

  // Raises OnTimer (what a tick does).
  void Timer();
  // A layout sets OnTimer directly: start the timer once it is read.
  void Loaded() override { UpdateTimer(); }

private:
  void UpdateTimer();
  TNotifyEvent onTimer_;
  bool enabled_ = true;
  uint32_t interval_ = 1000;
  bool running_ = false;
};
