#pragma once
// The one kind of window the stand-ins show: a fixed-size top-level window of
// a given class that shows a few lines of text (the first in bold) and passes
// timer ticks and close requests to its owner. Destroying it ends the
// thread's message loop.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace demo {

class StatusWindow {
 public:
  StatusWindow() = default;
  StatusWindow(const StatusWindow&) = delete;
  StatusWindow& operator=(const StatusWindow&) = delete;
  ~StatusWindow();

  // Registers `className` and shows the window centred on the screen, with a
  // client area of the given size. False (with the error logged by the
  // caller) if the system refused.
  bool Create(const wchar_t* className, const std::wstring& title, int clientWidth, int clientHeight);

  HWND Handle() const { return hwnd_; }
  bool Destroyed() const { return destroyed_; }

  void SetLines(std::vector<std::wstring> lines);
  void SetLine(size_t index, std::wstring text);

  // Called for every WM_TIMER of the window.
  std::function<void(UINT_PTR id)> onTimer;
  // Called for WM_CLOSE; the window closes only if it returns true (no
  // handler: it closes).
  std::function<bool()> onCloseRequest;

  // Destroys the window; the message loop then ends with `exitCode`.
  void Close(int exitCode);

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT boldFont_ = nullptr;
  std::vector<std::wstring> lines_;
  int exitCode_ = 0;
  bool destroyed_ = false;
};

// Runs the thread's message loop until WM_QUIT arrives; returns its wParam.
int RunMessageLoop();

// The body of the stand-ins that only show something: one window with the
// lines, until it is closed or a WM_QUIT reaches the message loop. Logs
// "end quit" (WM_QUIT while the window was open), "end closed", or "error"
// and "end failed" (exit code 2) if the window cannot be created. Returns the
// exit code (WM_QUIT's wParam).
int ShowUntilClosed(const wchar_t* program, const wchar_t* windowClass, const std::wstring& title,
                    std::vector<std::wstring> lines);

}  // namespace demo
