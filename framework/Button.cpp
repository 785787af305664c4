#include "framework/Button.h"

#include "framework/CustomForm.h"

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TButton> b("TButton", &TWinControl::StaticClassInfo());
    b.Creatable()
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true)
        .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
        .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
        .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0);
    PublishText(b);
    b.Event("OnClick", &TControl::OnClick);
    return b.Build();
  }();
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  if (handle_) SendMessageW(handle_, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = L"Button";
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | VisibilityStyles() | (TabStop() ? WS_TABSTOP : 0) |
            (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  p.Id = id_;
}

LRESULT TButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      secondPress_ = true;
      DblClick();
      break;
    case WM_LBUTTONDOWN:
    case WM_KEYDOWN:
      secondPress_ = false;
      break;
    case WM_LBUTTONUP: {
      // The system button reports its click while it handles the release.
      LRESULT r = TWinControl::WndProc(message, wParam, lParam);
      secondPress_ = false;
      return r;
    }
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED && !secondPress_) Click();
}

void TButton::Click() {
  if (modalResult_ != 0) {
    if (TCustomForm* form = ParentForm(this)) form->SetModalResult(modalResult_);
  }
  TWinControl::Click();
}
