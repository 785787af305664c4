#pragma once
// TSpinButton: two arrow buttons, one above the other; the upper one raises
// OnUpClick, the lower one OnDownClick (the upper half is the smaller one
// when the height is odd).
//
// Auto-repeat: pressing a button raises its event at once, then again after
// InitialDelay and every RepeatInterval milliseconds while the left button
// stays down with the pointer over the pressed arrow (moving off pauses the
// repeat, moving back resumes it); releasing ends it.
//
// The pair never takes the focus: a press hands it to FocusControl when that
// control can take it.

#include "framework/WinControl.h"

class TTimer;

class TSpinButton : public TWinControl {
public:
  static constexpr unsigned InitialDelay = 400;
  static constexpr unsigned RepeatInterval = 100;

  explicit TSpinButton(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TWinControl* FocusControl = nullptr;  // not owned
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

protected:
  void Paint(TCanvas& canvas) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  enum class TArrow { None, Up, Down };

  TArrow ArrowAt(int x, int y) const;
  RECT ArrowRect(TArrow arrow) const;
  void Fire();
  void RepeatTimer(TObject* sender);
  void Release();

  TTimer* repeat_;          // owned
  TArrow pressed_ = TArrow::None;
  bool overPressed_ = false;  // the pointer is over the pressed arrow
};
