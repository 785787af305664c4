#pragma once
// TTmrSpinEdit: the numeric value edit of TTmrEdit on a spin edit: the user
// types a hexadecimal, integer, unsigned or float value, or steps it with
// the buttons or the Up and Down keys. Pause timer, reflection, key filter,
// paste check and conversions are TTmrEdit's, with these differences:
//
//  - EditType takes only edtHex .. edtFloatP; edtChar and edtBin are ignored.
//  - Integer types use the spin edit's integer MinValue, MaxValue and
//    Increment; float types step by IncFloat on the grid of its multiples
//    inside MinValueF..MaxValueF, comparing with Tolerance (IncFloat x 1e-6).
//    A range with both bounds 0 is unset for the steps; the reflection knows
//    no unset range (every positive value overflows 0..0).
//  - Every value assignment raises OnChange once from the window (when it
//    exists and the text changes) and once more explicitly, and restarts a
//    running pause while the control is focused. The change handling makes
//    the window if there is none and swallows every error, OnChange's
//    included: a control without a parent window just skips it.
//  - A refused character is dropped silently (no OnOtherKey, which this
//    class does not have).
//  - Leaving the control runs ExitCheck: OnEmpty for an empty text, the
//    reflection while the pause runs, otherwise an exact range check whose
//    OnUnderflow / OnOverflow are raised even when the control is hidden and
//    do not fall back to OnUpdate; OnExit last. The integer text is not
//    clamped into the range.
//  - Steps do nothing while ReadOnly or with EditorEnabled false, and nothing
//    at a set bound (an integer step that would pass it does nothing; a float
//    step that overshoots lands on it); a failed step leaves the value.
//    UpdateOnButtons makes a step raise the update notification.
//  - For edtFloatP a negative MinValueF becomes 0 at the first step or exit.
//
// EditorEnabled false does not restrict typing (the value filter replaces
// the spin edit's own); it makes the steps and pasting inert.

#include <cstdint>
#include <string>

#include "controls/ValueEdit.h"
#include "framework/SpinEdit.h"

class TTimer;

class TTmrSpinEdit : public TSpinEdit {
public:
  explicit TTmrSpinEdit(TComponent* owner);
  ~TTmrSpinEdit() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TEditType EditType() const { return editType_; }
  void SetEditType(TEditType value);
  const TCharSet& AllowedChars() const { return allowedChars_; }
  int32_t WaitingTime() const { return waitingTime_; }
  void SetWaitingTime(int32_t ms);
  const std::string& ValueFmt() const { return valueFmt_; }
  void SetValueFmt(const std::string& pattern);
  bool IsValueIntStored() const;
  double ValueExt() const;
  void SetValueExt(double x);
  int32_t ValueInt() const;
  void SetValueInt(int32_t v);
  // The float value (the spin edit's integer Value is replaced).
  double Value() const { return ValueExt(); }
  void SetValue(double x) { SetValueExt(x); }
  double IncFloat() const { return incFloat_; }
  void SetIncFloat(double value);
  double Tolerance() const { return tolerance_; }
  double StoredValue() const { return storedValue_; }
  TTimer* PauseTimer() const { return pauseTimer_; }

  void ReflectValue(TObject* Sender);
  // What leaving the control does (see above).
  void ExitCheck();

  void StepUp() override;
  void StepDown() override;

  double MinValueF = 0;
  double MaxValueF = 0;
  bool ReflectTimer = true;
  bool UpdateOnButtons = false;
  // Recorded for the owner; never set or read here.
  int32_t WidthNormal = 0;

  TStrToValEvent OnStrToVal;
  TValToStrEvent OnValToStr;
  TIntValToStrEvent OnIntValToStr;
  TNotifyEvent OnOverflow;
  TNotifyEvent OnUnderflow;
  TNotifyEvent OnUpdate;
  TNotifyEvent OnEmpty;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;
  void DblClick() override;

protected:
  bool IsValidChar(char key) override;
  void WindowCreated() override;
  void Change() override;
  void DoPaste() override;

private:
  bool IntegerType() const { return editType_ == edtHex || editType_ == edtInteger || editType_ == edtCardinal; }
  TKeyFilterInput FilterInput() const;
  void RestartTimer(bool enabled);
  void WriteText(double stored, const std::string& text);
  void RaiseUpdate() { RaiseWhileVisible(*this, OnUpdate); }
  void Step(bool up);
  // Underflow / overflow of the exit check: regardless of Visible, no fallback.
  void CheckedRange(bool under, bool over);

  TTimer* pauseTimer_;  // owned
  TCharSet allowedChars_;
  char decimalSeparator_ = '.';
  TEditType editType_ = edtInteger;
  int32_t waitingTime_ = 2000;
  double storedValue_ = 0;
  std::string valueFmt_;
  double incFloat_ = 0;
  double tolerance_ = 0;
  bool settingValue_ = false;
};
