#pragma once
// TButton: a push button (a standard "Button" window). A click raises
// OnClick; with a ModalResult the click also sets its form's ModalResult,
// which ends a modal form.

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
  void CommandNotify(WORD code) override;

private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  UINT_PTR id_ = 0;
};
