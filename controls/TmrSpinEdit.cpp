#include "controls/TmrSpinEdit.h"

#include "controls/LocaleSeparators.h"
#include "controls/SpinSteps.h"
#include "framework/Timer.h"

const TClassInfo& TTmrSpinEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TTmrSpinEdit> b("TTmrSpinEdit", &TSpinEdit::StaticClassInfo());
    b.Creatable()
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Stored(&TControl::IsColorStored)
        .Bool("UpdateOnButtons", &TTmrSpinEdit::UpdateOnButtons, &TTmrSpinEdit::UpdateOnButtons)
        .Bool("ReflectTimer", &TTmrSpinEdit::ReflectTimer, &TTmrSpinEdit::ReflectTimer)
        .Enum<TEditType>("EditType", EditTypeInfo(), &TTmrSpinEdit::EditType, &TTmrSpinEdit::SetEditType)
        .Float("IncFloat", &TTmrSpinEdit::IncFloat, &TTmrSpinEdit::SetIncFloat)
        .Float("MaxValueF", &TTmrSpinEdit::MaxValueF, &TTmrSpinEdit::MaxValueF)
        .Float("MinValueF", &TTmrSpinEdit::MinValueF, &TTmrSpinEdit::MinValueF)
        .Float("Value", &TTmrSpinEdit::ValueExt, &TTmrSpinEdit::SetValueExt)
        .Str("ValueFmt", &TTmrSpinEdit::ValueFmt, &TTmrSpinEdit::SetValueFmt)
        .Float("ValueExt", &TTmrSpinEdit::ValueExt, &TTmrSpinEdit::SetValueExt)
        .Int("ValueInt", &TTmrSpinEdit::ValueInt, &TTmrSpinEdit::SetValueInt)
        .Stored(&TTmrSpinEdit::IsValueIntStored)
        .Int("WaitingTime", &TTmrSpinEdit::WaitingTime, &TTmrSpinEdit::SetWaitingTime)
        .Event("OnOverflow", &TTmrSpinEdit::OnOverflow)
        .Event("OnStrToVal", &TTmrSpinEdit::OnStrToVal)
        .Event("OnValToStr", &TTmrSpinEdit::OnValToStr)
        .Event("OnIntValToStr", &TTmrSpinEdit::OnIntValToStr)
        .Event("OnUnderflow", &TTmrSpinEdit::OnUnderflow)
        .Event("OnUpdate", &TTmrSpinEdit::OnUpdate)
        .Event("OnEmpty", &TTmrSpinEdit::OnEmpty)
        .Str("Text", &TEdit::Text, &TEdit::SetText)
        .Int("WidthNormal", &TTmrSpinEdit::WidthNormal, &TTmrSpinEdit::WidthNormal);
    return b.Build();
  }();
  return info;
}

TTmrSpinEdit::TTmrSpinEdit(TComponent* owner) : TSpinEdit(owner), pauseTimer_(new TTimer(this)) {
  pauseTimer_->SetEnabled(false);
  pauseTimer_->SetOnTimer(TNotifyEvent::Of<&TTmrSpinEdit::ReflectValue>(this));
  pauseTimer_->SetInterval(2000);
  SetWaitingTime(2000);
  SetEditType(edtInteger);
  SetValueInt(0);
  SetIncFloat(0);
}

TTmrSpinEdit::~TTmrSpinEdit() {
  TComponent::Free(pauseTimer_);
  pauseTimer_ = nullptr;
}

void TTmrSpinEdit::SetEditType(TEditType value) {
  if (value < edtHex || value > edtFloatP) return;  // no free text or binary in a spin edit
  editType_ = value;
  decimalSeparator_ = UserLocaleSeparators().Decimal;
  allowedChars_ = EditTypeChars(value, decimalSeparator_);
}

void TTmrSpinEdit::SetWaitingTime(int32_t ms) {
  waitingTime_ = ms;
  pauseTimer_->SetInterval(PauseInterval(ms));
}

void TTmrSpinEdit::SetIncFloat(double value) {
  incFloat_ = value;
  tolerance_ = value * 1e-6;
}

void TTmrSpinEdit::SetValueFmt(const std::string& pattern) {
  valueFmt_ = pattern;
  SetValueExt(ValueExt());
}

// Written after Value and ValueExt, ValueInt would round a fractional value
// read back from a layout: it is recorded only when the value is whole.
bool TTmrSpinEdit::IsValueIntStored() const { return static_cast<double>(ValueInt()) == ValueExt(); }

double TTmrSpinEdit::ValueExt() const { return ReadValueExt(*this, editType_, storedValue_, OnStrToVal); }

int32_t TTmrSpinEdit::ValueInt() const { return ReadValueInt(*this, editType_, storedValue_, OnStrToVal); }

void TTmrSpinEdit::SetValueExt(double x) {
  WriteText(x, ValueExtTextOf(this, x, editType_, valueFmt_, OnValToStr));
}

void TTmrSpinEdit::SetValueInt(int32_t v) {
  WriteText(v, ValueIntTextOf(this, v, editType_, valueFmt_, OnIntValToStr));
}

// After the text is written, the change handling runs once more on its own,
// so an assignment that leaves the text as it was still raises OnChange.
void TTmrSpinEdit::WriteText(double stored, const std::string& text) {
  {
    TSettingValue setting(settingValue_);
    storedValue_ = stored;
    SetText(text);
    SetModified(false);
  }
  Change();
  SetModified(false);
}

void TTmrSpinEdit::WindowCreated() {
  TSpinEdit::WindowCreated();
  SetLeftMargin(2);
}

void TTmrSpinEdit::RestartTimer(bool enabled) {
  if (pauseTimer_) RestartPauseTimer(*pauseTimer_, enabled, waitingTime_);
}

void TTmrSpinEdit::Change() {
  try {
    Handle();  // raises when there is no parent window yet: then nothing happens
    if (waitingTime_ > 0 && Showing() && Focused()) RestartTimer(true);
    SetModified(!settingValue_);
    TSpinEdit::Change();
  } catch (...) {
    // A change never reports a failure, not even one of OnChange.
  }
}

TKeyFilterInput TTmrSpinEdit::FilterInput() const {
  return KeyFilterInputOf(*this, editType_, allowedChars_, decimalSeparator_);
}

bool TTmrSpinEdit::IsValidChar(char key) { return CharAllowed(key, FilterInput()); }

void TTmrSpinEdit::KeyPress(char& key) {
  if (!CharAllowed(key, FilterInput())) {
    key = 0;
    RestartTimer(pauseTimer_ && pauseTimer_->Enabled());
    return;
  }
  if (key == '\x1B') {
    key = 0;
    Undo();
    return;
  }
  TSpinEdit::KeyPress(key);
}

void TTmrSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_RETURN) ReflectValue(this);
  TSpinEdit::KeyDown(key, shift);
}

void TTmrSpinEdit::DblClick() {
  if (pauseTimer_ && pauseTimer_->Enabled()) ReflectValue(this);
  TSpinEdit::DblClick();
}

void TTmrSpinEdit::DoPaste() {
  if (ClipboardPasteAllowed(FilterInput())) TSpinEdit::DoPaste();
}

void TTmrSpinEdit::DoExit() { ExitCheck(); }

void TTmrSpinEdit::ReflectValue(TObject*) {
  TReflection reflection(pauseTimer_, ReflectTimer);
  if (!reflection.Begin()) return;
  TSpinEdit::Change();
  if (Text().empty()) {
    if (OnEmpty) OnEmpty(this);
    return;
  }
  if (IntegerType()) {
    int32_t v = ValueInt();
    if (v > MaxValue()) RaiseWhileVisible(*this, OnOverflow, OnUpdate);
    else if (v < MinValue()) RaiseWhileVisible(*this, OnUnderflow, OnUpdate);
    else RaiseUpdate();
  } else {
    double v = ValueExt();
    if (v - MaxValueF > tolerance_) RaiseWhileVisible(*this, OnOverflow, OnUpdate);
    else if (MinValueF - v > tolerance_) RaiseWhileVisible(*this, OnUnderflow, OnUpdate);
    else RaiseUpdate();
  }
}

void TTmrSpinEdit::CheckedRange(bool under, bool over) {
  if (under) {
    if (OnUnderflow) OnUnderflow(this);
  } else if (over) {
    if (OnOverflow) OnOverflow(this);
  } else {
    RaiseUpdate();
  }
}

void TTmrSpinEdit::ExitCheck() {
  if (Text().empty()) {
    if (OnEmpty) OnEmpty(this);
  } else if (pauseTimer_ && pauseTimer_->Enabled()) {
    ReflectValue(this);
  } else if (IntegerType()) {
    if (MinValue() == 0 && MaxValue() == 0) {
      RaiseUpdate();
    } else {
      int32_t v = ValueInt();
      CheckedRange(v < MinValue(), v > MaxValue());
    }
  } else {
    if (editType_ == edtFloatP) MinValueF = FloatPMinimum(MinValueF);
    if (MinValueF == 0 && MaxValueF == 0 && editType_ == edtFloat) {
      RaiseUpdate();
    } else {
      double v = ValueExt();
      CheckedRange(v < MinValueF, v > MaxValueF);
    }
  }
  TEdit::DoExit();  // OnExit, without the spin edit's clamping
}

void TTmrSpinEdit::StepUp() { Step(true); }

void TTmrSpinEdit::StepDown() { Step(false); }

void TTmrSpinEdit::Step(bool up) {
  if (ReadOnly() || !EditorEnabled()) return;
  try {
    if (IntegerType()) {
      const auto step = up ? IntStepUp : IntStepDown;
      if (auto v = step(ValueInt(), Increment(), MinValue(), MaxValue())) {
        SetValueInt(*v);
        if (UpdateOnButtons) RaiseUpdate();
      }
    } else {
      if (editType_ == edtFloatP) MinValueF = FloatPMinimum(MinValueF);
      const auto step = up ? FloatStepUp : FloatStepDown;
      if (auto c = step(ValueExt(), incFloat_, tolerance_, MinValueF, MaxValueF)) {
        SetValueExt(*c);
        if (UpdateOnButtons) RaiseUpdate();
      }
    }
  } catch (...) {
    // A step that fails leaves the value and reports nothing.
  }
}
