#include "framework/SpinButton.h"

#include "framework/Canvas.h"
#include "framework/Timer.h"

const TClassInfo& TSpinButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSpinButton>("TSpinButton", &TWinControl::StaticClassInfo()).Build();
  return info;
}

TSpinButton::TSpinButton(TComponent* owner) : TWinControl(owner), repeat_(new TTimer(this)) {
  SetBounds(0, 0, 15, 17);
  repeat_->SetEnabled(false);
  repeat_->SetOnTimer(TNotifyEvent::Of<&TSpinButton::RepeatTimer>(this));
}

RECT TSpinButton::ArrowRect(TArrow arrow) const {
  int w = ClientWidth(), h = ClientHeight(), half = h / 2;
  return arrow == TArrow::Up ? RECT{0, 0, w, half} : RECT{0, half, w, h};
}

TSpinButton::TArrow TSpinButton::ArrowAt(int x, int y) const {
  if (x < 0 || x >= ClientWidth() || y < 0 || y >= ClientHeight()) return TArrow::None;
  return y < ClientHeight() / 2 ? TArrow::Up : TArrow::Down;
}

void TSpinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (FocusControl && FocusControl->CanFocus() && !FocusControl->Focused()) FocusControl->SetFocus();
  pressed_ = ArrowAt(x, y);
  overPressed_ = pressed_ != TArrow::None;
  if (pressed_ == TArrow::None) return;
  Invalidate();
  repeat_->SetInterval(InitialDelay);
  repeat_->SetEnabled(true);
  Fire();
}

void TSpinButton::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  if (pressed_ == TArrow::None) return;
  bool over = ArrowAt(x, y) == pressed_;
  if (over == overPressed_) return;
  overPressed_ = over;
  Invalidate();
}

void TSpinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) Release();
  TWinControl::MouseUp(button, shift, x, y);
}

void TSpinButton::Release() {
  repeat_->SetEnabled(false);
  if (pressed_ == TArrow::None) return;
  pressed_ = TArrow::None;
  overPressed_ = false;
  Invalidate();
}

void TSpinButton::RepeatTimer(TObject*) {
  if (repeat_->Interval() != RepeatInterval) repeat_->SetInterval(RepeatInterval);
  if (pressed_ != TArrow::None && overPressed_) Fire();
}

void TSpinButton::Fire() {
  if (pressed_ == TArrow::Up) {
    if (OnUpClick) OnUpClick(this);
  } else if (pressed_ == TArrow::Down) {
    if (OnDownClick) OnDownClick(this);
  }
}

LRESULT TSpinButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Losing the capture (another window took it, a dialog came up) ends a
  // press as a release would.
  if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != handle_) Release();
  return TWinControl::WndProc(message, wParam, lParam);
}

void TSpinButton::Paint(TCanvas& canvas) {
  for (TArrow arrow : {TArrow::Up, TArrow::Down}) {
    RECT r = ArrowRect(arrow);
    UINT state = arrow == TArrow::Up ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
    if (pressed_ == arrow && overPressed_) state |= DFCS_PUSHED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(canvas.Handle(), &r, DFC_SCROLL, state);
  }
}
