#pragma once
// TStaticText: text in a standard "Static" window (so that screen readers and
// test tools read it as the window's text), or, with an icon set before the
// window is made, that icon. Text that code page 1250 cannot carry (a path)
// is given as UTF-16 (SetWideCaption) and shown exactly; Caption() then holds
// it as code page 1250, letters it lacks as "?".

#include "framework/WinControl.h"

class TStaticText : public TWinControl {
public:
  explicit TStaticText(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Shows a system icon instead of text (the icon is not owned).
  void SetIcon(HICON icon) { icon_ = icon; }

  void SetWideCaption(const std::wstring& text);
  // What the window shows: the wide text last given, or Caption() converted.
  const std::wstring& WideCaption() const { return wide_; }

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  void TextChanged() override;
  HBRUSH CtlColor(HDC dc) override;

private:
  HICON icon_ = nullptr;
  std::wstring wide_;
  bool settingWide_ = false;  // Caption follows wide_, not the other way round
};
