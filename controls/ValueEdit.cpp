#include "controls/ValueEdit.h"

#include <optional>
#include <string_view>

#include "controls/LocaleSeparators.h"
#include "framework/Clipboard.h"
#include "framework/Edit.h"
#include "framework/EnumInfo.h"
#include "framework/Timer.h"

const TEnumInfo& EditTypeInfo() {
  static const TEnumInfo info("TEditType",
                              {"edtChar", "edtBin", "edtHex", "edtInteger", "edtCardinal", "edtFloat", "edtFloatP"});
  return info;
}

TKeyFilterInput KeyFilterInputOf(std::string_view text, int selStart, int selLength, bool readOnly,
                                 TEditType type, const TCharSet& allowedChars, char decimalSeparator) {
  TKeyFilterInput in;
  in.EditType = type;
  in.AllowedChars = allowedChars;
  in.Text = text;
  in.SelStart = selStart;
  in.SelLength = selLength;
  in.ReadOnly = readOnly;
  in.DecimalSeparator = decimalSeparator;
  return in;
}

TKeyFilterInput KeyFilterInputOf(const TEdit& edit, TEditType type, const TCharSet& allowedChars,
                                 char decimalSeparator) {
  return KeyFilterInputOf(edit.Text(), edit.SelStart(), edit.SelLength(), edit.ReadOnly(), type, allowedChars,
                          decimalSeparator);
}

bool ClipboardPasteAllowed(const TKeyFilterInput& in) {
  std::optional<std::string> clip = ClipboardText();
  std::optional<std::string_view> text;
  if (clip) text = *clip;
  return PasteAllowed(text, in);
}

uint32_t PauseInterval(int32_t waitingTime) { return waitingTime > 0 ? static_cast<uint32_t>(waitingTime) : 0; }

void RestartPauseTimer(TTimer& timer, bool enabled, int32_t waitingTime) {
  timer.SetInterval(0);
  timer.SetEnabled(enabled);
  timer.SetInterval(PauseInterval(waitingTime));
}

namespace {

TValueReading ReadingOf(TObject* sender, std::string_view text, bool modified, TEditType type, double storedValue,
                        const TStrToValEvent& strToVal) {
  TValueReading r;
  r.Modified = modified;
  r.StoredValue = storedValue;
  r.Text = text;
  r.EditType = type;
  r.DecimalSeparator = UserLocaleSeparators().Decimal;
  if (strToVal) {
    r.StrToVal = [sender, strToVal](std::string_view s) { return strToVal(sender, std::string(s)); };
  }
  return r;
}

TValueWriting WritingOf(TEditType type, const std::string& valueFmt) {
  TLocaleSeparators sep = UserLocaleSeparators();
  TValueWriting w;
  w.EditType = type;
  w.ValueFmt = valueFmt;
  w.DecimalSeparator = sep.Decimal;
  w.ThousandSeparator = sep.Thousand;
  return w;
}

}  // namespace

double ReadValueExt(TObject* sender, std::string_view text, bool modified, TEditType type, double storedValue,
                    const TStrToValEvent& strToVal) {
  return ValueExtOf(ReadingOf(sender, text, modified, type, storedValue, strToVal));
}

int32_t ReadValueInt(TObject* sender, std::string_view text, bool modified, TEditType type, double storedValue,
                     const TStrToValEvent& strToVal) {
  return ValueIntOf(ReadingOf(sender, text, modified, type, storedValue, strToVal));
}

double ReadValueExt(const TEdit& edit, TEditType type, double storedValue, const TStrToValEvent& strToVal) {
  return ReadValueExt(const_cast<TEdit*>(&edit), edit.Text(), edit.Modified(), type, storedValue, strToVal);
}

int32_t ReadValueInt(const TEdit& edit, TEditType type, double storedValue, const TStrToValEvent& strToVal) {
  return ReadValueInt(const_cast<TEdit*>(&edit), edit.Text(), edit.Modified(), type, storedValue, strToVal);
}

std::string ValueExtTextOf(TObject* sender, double x, TEditType type, const std::string& valueFmt,
                           const TValToStrEvent& valToStr) {
  std::function<std::string(double)> convert;
  if (valToStr) convert = [sender, valToStr](double v) { return valToStr(sender, v); };
  return ValueExtText(x, WritingOf(type, valueFmt), convert);
}

std::string ValueIntTextOf(TObject* sender, int32_t v, TEditType type, const std::string& valueFmt,
                           const TIntValToStrEvent& intValToStr) {
  std::function<std::string(int32_t)> convert;
  if (intValToStr) convert = [sender, intValToStr](int32_t i) { return intValToStr(sender, i); };
  return ValueIntText(v, WritingOf(type, valueFmt), convert);
}

void RaiseWhileVisible(TControl& control, const TNotifyEvent& event, const TNotifyEvent& fallback) {
  if (!control.Visible()) return;
  if (event) event(&control);
  else if (fallback) fallback(&control);
}

void ReflectRange(TControl& control, double v, double minValue, double maxValue, const TNotifyEvent& onOverflow,
                  const TNotifyEvent& onUpdate, const TNotifyEvent& onUnderflow) {
  if (v > maxValue) RaiseWhileVisible(control, onOverflow, onUpdate);
  else if (v >= minValue) RaiseWhileVisible(control, onUpdate);
  else RaiseWhileVisible(control, onUnderflow, onUpdate);
}

TReflection::~TReflection() {
  if (pauseTimer_) pauseTimer_->SetEnabled(false);
  reflectTimer_ = true;
}

bool TReflection::Begin() {
  if (!reflectTimer_) return false;
  reflectTimer_ = false;
  return true;
}
