#include "framework/StaticText.h"

#include "framework/GdiCache.h"

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
}

void TStaticText::WindowCreated() {
  if (icon_) SendMessageW(handle_, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
}

HBRUSH TStaticText::CtlColor(HDC dc) {
  SetTextColor(dc, gdi::ColorToRGB(GetFont().Color()));
  SetBkColor(dc, gdi::ColorToRGB(Color()));
  return gdi::SolidBrush(Color());
}
