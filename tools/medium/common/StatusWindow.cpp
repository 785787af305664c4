#include "StatusWindow.h"

#include "DemoLog.h"
#include "Paths.h"

namespace demo {

StatusWindow::~StatusWindow() {
  if (hwnd_ && !destroyed_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
  if (boldFont_) DeleteObject(boldFont_);
}

bool StatusWindow::Create(const wchar_t* className, const std::wstring& title, int clientWidth,
                          int clientHeight) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &StatusWindow::Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW face{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    face = metrics.lfMessageFont;
  } else {
    face.lfHeight = -13;
    wcscpy_s(face.lfFaceName, L"Arial");
  }
  face.lfHeight = face.lfHeight < 0 ? face.lfHeight - 2 : face.lfHeight + 2;
  font_ = CreateFontIndirectW(&face);
  face.lfWeight = FW_BOLD;
  boldFont_ = CreateFontIndirectW(&face);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  hwnd_ = CreateWindowExW(0, className, title.c_str(), style, x, y, width, height, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  return true;
}

void StatusWindow::SetLines(std::vector<std::wstring> lines) {
  lines_ = std::move(lines);
  if (hwnd_ && !destroyed_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void StatusWindow::SetLine(size_t index, std::wstring text) {
  if (index >= lines_.size()) lines_.resize(index + 1);
  lines_[index] = std::move(text);
  if (hwnd_ && !destroyed_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void StatusWindow::Close(int exitCode) {
  exitCode_ = exitCode;
  if (hwnd_ && !destroyed_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK StatusWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<StatusWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<StatusWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->OnMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT StatusWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_TIMER:
      if (onTimer) onTimer(wParam);
      return 0;
    case WM_CLOSE:
      if (!onCloseRequest || onCloseRequest()) DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      destroyed_ = true;
      PostQuitMessage(exitCode_);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void StatusWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const HGDIOBJ previous = SelectObject(dc, boldFont_);
  int y = 16;
  for (size_t i = 0; i < lines_.size(); ++i) {
    SelectObject(dc, i == 0 ? boldFont_ : font_);
    RECT line{16, y, client.right - 16, client.bottom};
    // Long paths break at any character rather than running off the window.
    DrawTextW(dc, lines_[i].c_str(), static_cast<int>(lines_[i].size()), &line,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_CALCRECT);
    line.right = client.right - 16;
    DrawTextW(dc, lines_[i].c_str(), static_cast<int>(lines_[i].size()), &line,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    y = line.bottom + (i == 0 ? 12 : 6);
  }
  SelectObject(dc, previous);
  EndPaint(hwnd_, &ps);
}

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) return -1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int ShowUntilClosed(const wchar_t* program, const wchar_t* windowClass, const std::wstring& title,
                    std::vector<std::wstring> lines) {
  StatusWindow window;
  if (!window.Create(windowClass, title, 560, 200)) {
    Log(program, L"error", L"window: " + ErrorText(GetLastError()));
    Log(program, L"end", L"failed");
    return 2;
  }
  window.SetLines(std::move(lines));
  const int code = RunMessageLoop();
  // A WM_QUIT from outside arrives while the window still exists; closing
  // the window destroys it first.
  Log(program, L"end", window.Destroyed() ? L"closed" : L"quit");
  return code;
}

}  // namespace demo
