#pragma once
// TStaticText: text in a standard "Static" window (so that screen readers and
// test tools read it as the window's text), or, with an icon set before the
// window is made, that icon.

#include "framework/WinControl.h"

class TStaticText : public TWinControl {
public:
  explicit TStaticText(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Shows a system icon instead of text (the icon is not owned).
  void SetIcon(HICON icon) { icon_ = icon; }

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  HBRUSH CtlColor(HDC dc) override;

private:
  HICON icon_ = nullptr;
};
