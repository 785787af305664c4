#pragma once
// TTmrEdit: a single-line edit for one typed value (EditType): free text, a
// binary, hexadecimal, signed or unsigned integer, or a float. It filters
// keys and pastes by the type, converts between its text and a number both
// ways (ValueExt, ValueInt; OnStrToVal, OnValToStr and OnIntValToStr replace
// the conversions), and reflects the entered value to its owner through
// OnUpdate, OnOverflow, OnUnderflow or OnEmpty once the user has paused
// typing for WaitingTime milliseconds, presses Enter, double-clicks while
// the pause runs, or leaves the control.
//
// The pause timer: stopped after construction and after every reflection;
// started (from the full WaitingTime) by every change of the text while the
// window is visible and has the focus and WaitingTime > 0; restarted by
// every refused key while it runs. Its expiry runs ReflectValue.
//
// ReflectValue raises OnChange once more, then OnEmpty for an empty text
// (visible or not), or compares the value with MinValue..MaxValue and raises
// OnOverflow / OnUpdate / OnUnderflow, but only while Visible is true (the
// property, not whether the window is seen); an unassigned OnOverflow or
// OnUnderflow falls back to OnUpdate. The range has no "unset" state: with
// both bounds 0 every positive value overflows. edtChar always updates,
// edtBin raises nothing but the OnChange. Clearing ReflectTimer suppresses
// exactly the next reflection.
//
// Reading: until the user changes the text, ValueExt and ValueInt return the
// value last assigned (StoredValue), exactly; afterwards the text converted,
// 0 when it is no number. Writing renders the value (ValueFmt pattern, hex
// for edtHex) and does not count as a user change.
//
// Keys: a refused character (Enter always is) restarts a running pause and
// reaches OnOtherKey, never the window; Escape undoes the last edit and goes
// no further. Enter reflects on key-down, so it reflects and then reaches
// OnOtherKey with 13. Nothing is ever reported by a message or a beep.

#include <cstdint>
#include <string>

#include "controls/ValueEdit.h"
#include "framework/Edit.h"

class TTimer;

class TTmrEdit : public TEdit {
public:
  explicit TTmrEdit(TComponent* owner);
  ~TTmrEdit() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TEditType EditType() const { return editType_; }
  void SetEditType(TEditType value);
  // EditTypeChars of the type, with the decimal separator of the moment the
  // type was assigned.
  const TCharSet& AllowedChars() const { return allowedChars_; }
  int32_t WaitingTime() const { return waitingTime_; }
  void SetWaitingTime(int32_t ms);
  const std::string& ValueFmt() const { return valueFmt_; }
  // Stores the pattern and shows the current value through it.
  void SetValueFmt(const std::string& pattern);
  bool IsValueExtStored() const;
  bool IsValueIntStored() const;
  double ValueExt() const;
  void SetValueExt(double x);
  int32_t ValueInt() const;
  void SetValueInt(int32_t v);
  double StoredValue() const { return storedValue_; }
  TTimer* PauseTimer() const { return pauseTimer_; }

  // The reflection (the pause timer's handler).
  void ReflectValue(TObject* Sender);

  double MaxValue = 0;
  double MinValue = 0;
  bool ReflectTimer = true;
  // The width at construction; recorded for the owner, never read here.
  int32_t WidthNormal = 0;

  TStrToValEvent OnStrToVal;
  TValToStrEvent OnValToStr;
  TIntValToStrEvent OnIntValToStr;
  TNotifyEvent OnOverflow;
  TNotifyEvent OnUnderflow;
  TNotifyEvent OnUpdate;
  TNotifyEvent OnEmpty;
  TOtherKeyEvent OnOtherKey;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;
  void DblClick() override;

protected:
  void WindowCreated() override;
  void Change() override;
  void DoPaste() override;

private:
  TKeyFilterInput FilterInput() const;
  void RestartTimer(bool enabled);
  void WriteText(double stored, const std::string& text);
  void Compare(double v);

  TTimer* pauseTimer_;  // owned
  TCharSet allowedChars_;
  char decimalSeparator_ = '.';  // the one allowedChars_ holds
  TEditType editType_ = edtChar;
  int32_t waitingTime_ = 2000;
  double storedValue_ = 0;
  std::string valueFmt_;
  bool settingValue_ = false;  // a value setter is writing the text
};
