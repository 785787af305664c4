#pragma once
// TSpinEdit: an edit for a whole number with a spin button pair (15 x 17
// pixels) inside its right edge; the text keeps clear of it.
//
// Steps: the up button and the Up arrow key call StepUp, the down button and
// the Down arrow key StepDown; the keys step in key-down before OnKeyDown
// sees them. The default steps add or subtract Increment through Value
// (beeping instead when ReadOnly); descendants replace them.
//
// Range: with MinValue different from MaxValue, Value is kept inside
// MinValue..MaxValue when assigned and when the focus leaves the control
// (equal bounds: no range). A text that is no number reads as MinValue.
//
// EditorEnabled false refuses typed characters (control characters other
// than Backspace still pass) and makes paste and cut do nothing; the buttons
// and arrow keys still step.

#include <cstdint>

#include "framework/Edit.h"

class TSpinButton;

class TSpinEdit : public TEdit {
public:
  explicit TSpinEdit(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int32_t MinValue() const { return minValue_; }
  void SetMinValue(int32_t value) { minValue_ = value; }
  int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t value) { maxValue_ = value; }
  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t value) { increment_ = value; }
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool value) { editorEnabled_ = value; }
  int32_t Value() const;
  void SetValue(int32_t value);

  // The button pair (a child window of the edit; owned by this control).
  TSpinButton* Button() const { return button_; }

  virtual void StepUp();
  virtual void StepDown();

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;

protected:
  // The typing filter of KeyPress.
  virtual bool IsValidChar(char key);
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void EnabledChanged() override;
  void DoPaste() override;
  void DoCut() override;

private:
  int32_t CheckValue(int64_t value) const;
  void PlaceButton();
  void UpClick(TObject*) { StepUp(); }
  void DownClick(TObject*) { StepDown(); }

  TSpinButton* button_;  // owned as a component; a child control
  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
  int32_t increment_ = 1;
  bool editorEnabled_ = true;
};
