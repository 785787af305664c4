#include "framework/StaticText.h"

#include "framework/GdiCache.h"
#include "framework/WinText.h"

const TClassInfo& TStaticText::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TStaticText> b("TStaticText", &TWinControl::StaticClassInfo());
    b.Creatable();
    PublishText(b);
    PublishMouseEvents(b);
    return b.Build();
  }();
  return info;
}

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 65, 17); }

void TStaticText::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = L"Static";
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | VisibilityStyles() | (icon_ ? SS_ICON : SS_LEFT | SS_NOPREFIX);
  p.Caption = wide_;
}

void TStaticText::SetWideCaption(const std::wstring& text) {
  wide_ = text;
  settingWide_ = true;
  try {
    SetCaption(Narrow(text));
  } catch (...) {
    settingWide_ = false;
    throw;
  }
  settingWide_ = false;
  // Also when the code page 1250 form did not change ("?" for another letter).
  if (handle_) SetWindowTextW(handle_, wide_.c_str());
}

void TStaticText::TextChanged() {
  if (!settingWide_) wide_ = Wide(Caption());
  if (handle_) SetWindowTextW(handle_, wide_.c_str());
  Invalidate();
}

void TStaticText::WindowCreated() {
  if (icon_) SendMessageW(handle_, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
}

HBRUSH TStaticText::CtlColor(HDC dc) {
  SetTextColor(dc, gdi::ColorToRGB(GetFont().Color()));
  SetBkColor(dc, gdi::ColorToRGB(Color()));
  return gdi::SolidBrush(Color());
}
