#include "controls/TmrEdit.h"

#include "controls/LocaleSeparators.h"
#include "framework/Timer.h"

const TClassInfo& TTmrEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TTmrEdit> b("TTmrEdit", &TEdit::StaticClassInfo());
    b.Creatable()
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Stored(&TControl::IsColorStored)
        .Bool("ReflectTimer", &TTmrEdit::ReflectTimer, &TTmrEdit::ReflectTimer)
        .Enum<TEditType>("EditType", EditTypeInfo(), &TTmrEdit::EditType, &TTmrEdit::SetEditType)
        .Float("MaxValue", &TTmrEdit::MaxValue, &TTmrEdit::MaxValue)
        .Float("MinValue", &TTmrEdit::MinValue, &TTmrEdit::MinValue)
        .Str("ValueFmt", &TTmrEdit::ValueFmt, &TTmrEdit::SetValueFmt)
        .Float("ValueExt", &TTmrEdit::ValueExt, &TTmrEdit::SetValueExt)
        .Stored(&TTmrEdit::IsValueExtStored)
        .Int("ValueInt", &TTmrEdit::ValueInt, &TTmrEdit::SetValueInt)
        .Stored(&TTmrEdit::IsValueIntStored)
        .Int("WaitingTime", &TTmrEdit::WaitingTime, &TTmrEdit::SetWaitingTime)
        .Event("OnOverflow", &TTmrEdit::OnOverflow)
        .Event("OnStrToVal", &TTmrEdit::OnStrToVal)
        .Event("OnValToStr", &TTmrEdit::OnValToStr)
        .Event("OnIntValToStr", &TTmrEdit::OnIntValToStr)
        .Event("OnUnderflow", &TTmrEdit::OnUnderflow)
        .Event("OnUpdate", &TTmrEdit::OnUpdate)
        .Event("OnEmpty", &TTmrEdit::OnEmpty)
        .Event("OnOtherKey", &TTmrEdit::OnOtherKey)
        .Int("WidthNormal", &TTmrEdit::WidthNormal, &TTmrEdit::WidthNormal);
    return b.Build();
  }();
  return info;
}

TTmrEdit::TTmrEdit(TComponent* owner) : TEdit(owner), pauseTimer_(new TTimer(this)) {
  pauseTimer_->SetEnabled(false);
  pauseTimer_->SetOnTimer(TNotifyEvent::Of<&TTmrEdit::ReflectValue>(this));
  pauseTimer_->SetInterval(2000);
  SetWaitingTime(2000);
  SetEditType(edtChar);
  // The pattern starts empty without rendering the value: the text of a new
  // control stays empty.
  WidthNormal = Width();
}

TTmrEdit::~TTmrEdit() {
  TComponent::Free(pauseTimer_);
  pauseTimer_ = nullptr;
}

void TTmrEdit::SetEditType(TEditType value) {
  editType_ = value;
  decimalSeparator_ = UserLocaleSeparators().Decimal;
  allowedChars_ = EditTypeChars(value, decimalSeparator_);
}

void TTmrEdit::SetWaitingTime(int32_t ms) {
  waitingTime_ = ms;
  pauseTimer_->SetInterval(PauseInterval(ms));
}

void TTmrEdit::SetValueFmt(const std::string& pattern) {
  valueFmt_ = pattern;
  SetValueExt(ValueExt());
}

// A layout is read in published order, so a value written by both ValueExt
// and ValueInt would come back rounded, and the value of a free-text edit
// would replace its text: each is recorded only where it loses nothing.
bool TTmrEdit::IsValueExtStored() const { return editType_ != edtChar; }
bool TTmrEdit::IsValueIntStored() const {
  return editType_ != edtChar && static_cast<double>(ValueInt()) == ValueExt();
}

double TTmrEdit::ValueExt() const { return ReadValueExt(*this, editType_, storedValue_, OnStrToVal); }

int32_t TTmrEdit::ValueInt() const { return ReadValueInt(*this, editType_, storedValue_, OnStrToVal); }

void TTmrEdit::SetValueExt(double x) {
  WriteText(x, ValueExtTextOf(this, x, editType_, valueFmt_, OnValToStr));
}

void TTmrEdit::SetValueInt(int32_t v) {
  WriteText(v, ValueIntTextOf(this, v, editType_, valueFmt_, OnIntValToStr));
}

// The text of a value setter; the change it causes is no user modification.
void TTmrEdit::WriteText(double stored, const std::string& text) {
  TSettingValue setting(settingValue_);
  storedValue_ = stored;
  SetText(text);
  SetModified(false);
}

void TTmrEdit::WindowCreated() {
  TEdit::WindowCreated();
  SetLeftMargin(2);
}

void TTmrEdit::RestartTimer(bool enabled) {
  if (pauseTimer_) RestartPauseTimer(*pauseTimer_, enabled, waitingTime_);
}

void TTmrEdit::Change() {
  if (waitingTime_ > 0 && HandleAllocated() && Showing() && Focused()) RestartTimer(true);
  SetModified(!settingValue_);
  TEdit::Change();
}

TKeyFilterInput TTmrEdit::FilterInput() const {
  return KeyFilterInputOf(*this, editType_, allowedChars_, decimalSeparator_);
}

void TTmrEdit::KeyPress(char& key) {
  if (CharAllowed(key, FilterInput())) {
    if (key == '\x1B') {
      key = 0;
      Undo();
      return;
    }
    TEdit::KeyPress(key);
    return;
  }
  const char refused = key;
  key = 0;
  RestartTimer(pauseTimer_ && pauseTimer_->Enabled());
  if (OnOtherKey) OnOtherKey(this, refused);
}

void TTmrEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_RETURN) ReflectValue(this);
  TEdit::KeyDown(key, shift);
}

void TTmrEdit::DoExit() {
  TEdit::DoExit();
  ReflectValue(this);
}

void TTmrEdit::DblClick() {
  if (pauseTimer_ && pauseTimer_->Enabled()) ReflectValue(this);
  TEdit::DblClick();
}

void TTmrEdit::DoPaste() {
  if (ClipboardPasteAllowed(FilterInput())) TEdit::DoPaste();
}

void TTmrEdit::Compare(double v) { ReflectRange(*this, v, MinValue, MaxValue, OnOverflow, OnUpdate, OnUnderflow); }

void TTmrEdit::ReflectValue(TObject*) {
  TReflection reflection(pauseTimer_, ReflectTimer);
  if (!reflection.Begin()) return;
  TEdit::Change();
  if (Text().empty()) {
    if (OnEmpty) OnEmpty(this);
    return;
  }
  switch (editType_) {
    case edtChar:
      RaiseWhileVisible(*this, OnUpdate);
      break;
    case edtHex:
    case edtInteger:
    case edtCardinal:
      Compare(ValueInt());
      break;
    case edtFloat:
    case edtFloatP:
      Compare(ValueExt());
      break;
    case edtBin:
      break;
  }
}
