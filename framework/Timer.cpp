#include "framework/Timer.h"

#include <windows.h>

#include <set>

#include "framework/Application.h"

namespace {

// Timers alive now: a WM_TIMER already queued for a timer that has since
// been destroyed must not reach it.
std::set<TTimer*>& LiveTimers() {
  static std::set<TTimer*> timers;
  return timers;
}

LRESULT CALLBACK UtilityWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(wParam);
    // A tick queued before the timer was stopped (disabled, its interval or
    // handler cleared) finds it no longer running and does nothing.
    if (LiveTimers().count(timer) && timer->Running()) {
      try {
        timer->Timer();
      } catch (const std::exception& e) {
        HandleUnexpectedException(&e);
      } catch (...) {
        HandleUnexpectedException(nullptr);
      }
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND UtilityWindow() {
  static HWND window = [] {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = UtilityWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TTimerWindow";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, L"TTimerWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  return window;
}

}  // namespace

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTimer>("TTimer", &TComponent::StaticClassInfo())
          .Creatable()
          .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
          .Int("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
          .Event("OnTimer", &TTimer::onTimer_)
          .Build();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { LiveTimers().insert(this); }

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
  LiveTimers().erase(this);
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value) {
  onTimer_ = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  HWND window = UtilityWindow();
  if (running_) KillTimer(window, reinterpret_cast<UINT_PTR>(this));
  running_ = false;
  if (enabled_ && interval_ > 0 && onTimer_)
    running_ = SetTimer(window, reinterpret_cast<UINT_PTR>(this), interval_, nullptr) != 0;
}

void TTimer::Timer() {
  if (onTimer_) onTimer_(this);
}
