#include "tasks/TaskPlatformWin32.h"

#include <windows.h>
#include <windowsx.h>

#include "framework/Application.h"
#include "framework/Timer.h"
#include "framework/WinText.h"

namespace {

HDC Dc(TSurface s) { return reinterpret_cast<HDC>(s); }

// The framework's window-message timer behind the cursor's timer interface.
// A restart (every move of a cursor with hints) only notes the time: the
// running timer, when it ticks early, waits out the rest of the pause, so a
// move costs no call to the system.
class TTimerAdapter : public TCursorTimer {
public:
  TTimerAdapter() : timer_(nullptr) {
    timer_.SetEnabled(false);
    timer_.SetOnTimer(TNotifyEvent::Of<&TTimerAdapter::Tick>(this));
  }
  void SetEnabled(bool value) override {
    timer_.SetEnabled(value);
    pause_ = 0;
  }
  bool Enabled() const override { return timer_.Enabled(); }
  void SetInterval(uint32_t ms) override {
    timer_.SetInterval(ms);
    pause_ = 0;
  }
  uint32_t Interval() const override { return timer_.Interval(); }
  void Restart(uint32_t ms) override {
    if (ms == 0) {
      TCursorTimer::Restart(ms);
      return;
    }
    start_ = GetTickCount();
    if (!timer_.Enabled() || pause_ != ms) {
      timer_.SetEnabled(true);
      timer_.SetInterval(0);
      timer_.SetInterval(ms);
      pause_ = ms;
    }
  }

private:
  void Tick(TObject*) {
    if (pause_) {
      const DWORD elapsed = GetTickCount() - start_;
      if (elapsed < pause_) {
        timer_.SetInterval(pause_ - elapsed);
        return;
      }
      if (timer_.Interval() != pause_) timer_.SetInterval(pause_);
    }
    if (OnTimer) OnTimer(this);
  }
  TTimer timer_;
  uint32_t pause_ = 0;  // the pause of the last Restart while it runs; 0 otherwise
  DWORD start_ = 0;
};

}  // namespace

void TWin32TaskPlatform::ShowSystemPointer(bool show) { ShowCursor(show ? TRUE : FALSE); }

TPixelPoint TWin32TaskPlatform::PointerPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

void TWin32TaskPlatform::SetPointerPos(TPixelPoint p) { SetCursorPos(p.X, p.Y); }

bool TWin32TaskPlatform::KeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

void TWin32TaskPlatform::SetMouseParams(int threshold1, int threshold2, int acceleration) {
  int params[3] = {threshold1, threshold2, acceleration};
  // For the current logon only: no SPIF_UPDATEINIFILE.
  SystemParametersInfoW(SPI_SETMOUSE, 0, params, 0);
}

bool TWin32TaskPlatform::ReadMouseSetting(const std::string& name, std::string& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Mouse", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const std::wstring wname = Wide(name);
  DWORD type = 0, bytes = 0;
  bool ok = RegQueryValueExW(key, wname.c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ) && bytes <= 4096;
  if (ok) {
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = bytes;
    ok = RegQueryValueExW(key, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) ==
         ERROR_SUCCESS;
    if (ok) {
      text.resize(size / sizeof(wchar_t));
      while (!text.empty() && text.back() == L'\0') text.pop_back();
      value = Narrow(text);
    }
  }
  RegCloseKey(key);
  return ok;
}

bool TWin32TaskPlatform::MouseMoveQueued() { return (HIWORD(GetQueueStatus(QS_MOUSEMOVE)) & QS_MOUSEMOVE) != 0; }

bool TWin32TaskPlatform::MouseButtonQueued() {
  return (HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) & QS_MOUSEBUTTON) != 0;
}

TPixelPoint TWin32TaskPlatform::LastMessagePos() {
  const DWORD pos = GetMessagePos();
  return {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
}

uintptr_t TWin32TaskPlatform::WindowUnderPointer() {
  POINT p{};
  GetCursorPos(&p);
  return reinterpret_cast<uintptr_t>(WindowFromPoint(p));
}

void TWin32TaskPlatform::FlushGraphics() { GdiFlush(); }

void TWin32TaskPlatform::CopyPixels(TSurface dest, TSurface source, const TPixelRect& r) {
  if (!dest || !source || r.Empty()) return;
  BitBlt(Dc(dest), r.Left, r.Top, r.Width(), r.Height(), Dc(source), r.Left, r.Top, SRCCOPY);
}

TPixelRect TWin32TaskPlatform::ClipBox(TSurface surface) {
  RECT r{};
  if (!surface || GetClipBox(Dc(surface), &r) == ERROR) return {};
  return {r.left, r.top, r.right, r.bottom};
}

bool TWin32TaskPlatform::PointVisible(TSurface surface, TPixelPoint p) {
  return surface && PtVisible(Dc(surface), p.X, p.Y);
}

std::unique_ptr<TCursorBuffer> TWin32TaskPlatform::CreateBuffer() { return std::make_unique<TDibSurface>(); }

std::unique_ptr<TCursorTimer> TWin32TaskPlatform::CreateTimer() { return std::make_unique<TTimerAdapter>(); }

TCursorHint* TWin32TaskPlatform::CreateHintWindow(TComponent* hostForm) {
  return HintFactory ? HintFactory(hostForm) : nullptr;
}

bool TWin32TaskPlatform::HandOverHint(TCursorHint* hint) { return HintHandOver && HintHandOver(hint); }

void TWin32TaskPlatform::NotifyHintChanged(TObject* sender) {
  if (Application && Application->OnHint) Application->OnHint(sender);
}

// ---- TDibSurface

TDibSurface::TDibSurface() {
  dc_ = reinterpret_cast<TSurface>(CreateCompatibleDC(nullptr));  // of the screen's kind
}

TDibSurface::~TDibSurface() {
  if (old_) SelectObject(Dc(dc_), reinterpret_cast<HGDIOBJ>(old_));
  if (bitmap_) DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap_));
  if (dc_) DeleteDC(Dc(dc_));
}

void TDibSurface::SetSize(int32_t width, int32_t height) {
  if (width == width_ && height == height_) return;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width > 0 ? width : 1;
  info.bmiHeader.biHeight = -(height > 0 ? height : 1);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(Dc(dc_), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) throw EOutOfMemory();
  HGDIOBJ previous = SelectObject(Dc(dc_), bitmap);
  if (!old_) old_ = reinterpret_cast<uintptr_t>(previous);
  if (bitmap_) DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap_));
  bitmap_ = reinterpret_cast<uintptr_t>(bitmap);
  width_ = width;
  height_ = height;
}
