#include "framework/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "framework/WinText.h"

#include "framework/Application.h"

namespace {

// The window that owns what this program puts on the clipboard: the system
// refuses SetClipboardData after EmptyClipboard when the clipboard was opened
// without one. The application's window; before it exists, a message-only
// window of this unit.
HWND ClipboardOwner() {
  if (Application && Application->Handle()) return Application->Handle();
  static HWND window = [] {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TClipboardOwner";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  return window;
}

// Another program may hold the clipboard open for a moment.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

std::optional<std::string> ClipboardText() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  if (!OpenClipboardPatiently(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      // The block may be larger than the text, and a careless program may
      // leave out the terminator: never read past the block.
      size_t limit = GlobalSize(data) / sizeof(wchar_t);
      size_t n = 0;
      while (n < limit && chars[n] != 0) ++n;
      text = Narrow(std::wstring_view(chars, n));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(std::string_view text) {
  std::wstring wide = Wide(text);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (!block) return false;
  if (void* p = GlobalLock(block)) {
    std::memcpy(p, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
  }
  if (!OpenClipboardPatiently(ClipboardOwner())) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(block);
  return placed;
}
