#pragma once
// TButton: a push button (a standard "Button" window). A click raises
// OnClick; with a ModalResult the click also sets its form's ModalResult,
// which ends a modal form.
//
// The system button takes the second press of a double click for another
// press and reports another click; here a double click is one OnClick (the
// first press) and one OnDblClick (the second), as on every other control.

#include "framework/WinControl.h"

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  // The window's control identifier (dialog navigation sends it in WM_COMMAND).
  void SetControlId(UINT_PTR id) { id_ = id; }

  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CommandNotify(WORD code) override;

private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  UINT_PTR id_ = 0;
  bool secondPress_ = false;  // from a double click's second press to its release
};
