// The main of window test programs: the framework runs around all tests, and
// every exception that reaches the application's handler fails the test
// that was running.

#include <gtest/gtest.h>

#include "TestTime.h"
#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/Exception.h"

namespace {

std::string errors;

class TErrorSink : public TObject {
public:
  void Record(TObject*, const std::exception* e) {
    std::string text = e ? e->what() : "unknown exception";
    errors += text + "\n";
    ADD_FAILURE() << "exception reached the application: " << text;
  }
};

TErrorSink sink;

}  // namespace

void Pump(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ScaledMs(ms));
  do {
    Application->ProcessMessages();
    Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

bool WaitUntil(const std::function<bool()>& pred, int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ScaledMs(ms));
  for (;;) {
    Application->ProcessMessages();
    if (pred()) return true;
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    Sleep(5);
  }
}

COLORREF ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

std::wstring WindowTextW(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

std::string TakeApplicationErrors() {
  std::string e = errors;
  errors.clear();
  return e;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  StartFramework();
  Application->Initialize();
  Application->OnException = TExceptionEvent::Of<&TErrorSink::Record>(&sink);
  int rc = RUN_ALL_TESTS();
  StopFramework();
  return rc;
}
