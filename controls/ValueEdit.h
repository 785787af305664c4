#pragma once
// What the typed input controls (TTmrEdit, TTmrSpinEdit, TTmrCombo) share on
// the window side: the types of their conversion events, the names of the edit types in
// layouts, and small helpers that connect the portable value rules to an
// edit window, its pause timer and its events.

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/EditType.h"
#include "controls/KeyFilter.h"
#include "controls/ValueText.h"
#include "framework/Event.h"

class TControl;
class TEdit;
class TEnumInfo;
class TObject;
class TTimer;

// The control's text to a value, replacing the built-in conversion; what it
// raises reads as 0.
using TStrToValEvent = TEvent<double(TObject* Sender, const std::string& Str)>;
// A value to the control's text, replacing the built-in formatting; what it
// raises shows as "0".
using TValToStrEvent = TEvent<std::string(TObject* Sender, double V)>;
using TIntValToStrEvent = TEvent<std::string(TObject* Sender, int32_t IntV)>;
// A character the key filter refused.
using TOtherKeyEvent = TEvent<void(TObject* Sender, char Key)>;

// "edtChar" .. "edtFloatP".
const TEnumInfo& EditTypeInfo();

// The key filter's view of an edit: its text (referred to, not copied: use
// the result before the text changes), selection and read-only state.
TKeyFilterInput KeyFilterInputOf(const TEdit& edit, TEditType type, const TCharSet& allowedChars,
                                 char decimalSeparator);

// The same for any control's edit text and selection.
TKeyFilterInput KeyFilterInputOf(std::string_view text, int selStart, int selLength, bool readOnly,
                                 TEditType type, const TCharSet& allowedChars, char decimalSeparator);

// Whether the clipboard's text may be pasted into the edit now.
bool ClipboardPasteAllowed(const TKeyFilterInput& in);

// The timer interval for a pause; a negative pause is none.
uint32_t PauseInterval(int32_t waitingTime);
// Starts the countdown again from the full pause (enabled true), or leaves
// the timer stopped (enabled false).
void RestartPauseTimer(TTimer& timer, bool enabled, int32_t waitingTime);

// The value the control reports, converting its text with the user locale's
// decimal separator (and OnStrToVal when assigned).
double ReadValueExt(const TEdit& edit, TEditType type, double storedValue, const TStrToValEvent& strToVal);
int32_t ReadValueInt(const TEdit& edit, TEditType type, double storedValue, const TStrToValEvent& strToVal);
// The same for a control with its own text and modification flag; Sender of
// OnStrToVal is `sender`.
double ReadValueExt(TObject* sender, std::string_view text, bool modified, TEditType type, double storedValue,
                    const TStrToValEvent& strToVal);
int32_t ReadValueInt(TObject* sender, std::string_view text, bool modified, TEditType type, double storedValue,
                     const TStrToValEvent& strToVal);

// The text for an assigned value, with the user locale's separators (and the
// conversion event when assigned).
std::string ValueExtTextOf(TObject* sender, double x, TEditType type, const std::string& valueFmt,
                           const TValToStrEvent& valToStr);
std::string ValueIntTextOf(TObject* sender, int32_t v, TEditType type, const std::string& valueFmt,
                           const TIntValToStrEvent& intValToStr);

// Raises `event` (or `fallback` when `event` is unassigned) only while the
// control's Visible property is true, whether or not its window is seen.
void RaiseWhileVisible(TControl& control, const TNotifyEvent& event, const TNotifyEvent& fallback = {});

// The reflection's comparison of a value with the range: above maxValue
// OnOverflow, from minValue up OnUpdate, below OnUnderflow; each only while
// Visible, the first and last falling back to OnUpdate.
void ReflectRange(TControl& control, double v, double minValue, double maxValue, const TNotifyEvent& onOverflow,
                  const TNotifyEvent& onUpdate, const TNotifyEvent& onUnderflow);

// Holds a flag true for its lifetime: marks the text changes a value setter
// makes, so the change handling does not take them for the user's typing.
class TSettingValue {
 public:
  explicit TSettingValue(bool& flag) : flag_(flag) { flag_ = true; }
  ~TSettingValue() { flag_ = false; }
  TSettingValue(const TSettingValue&) = delete;
  TSettingValue& operator=(const TSettingValue&) = delete;

 private:
  bool& flag_;  // not owned: the control's own flag
};

// One reflection of the value at a time. Begin() refuses while reflection
// is switched off (a handler reflecting again); whichever way a reflection
// ends, even a refused or failing one, the pause timer stops and reflection
// is switched on again.
class TReflection {
 public:
  TReflection(TTimer* const& pauseTimer, bool& reflectTimer) : pauseTimer_(pauseTimer), reflectTimer_(reflectTimer) {}
  ~TReflection();
  TReflection(const TReflection&) = delete;
  TReflection& operator=(const TReflection&) = delete;

  bool Begin();

 private:
  TTimer* const& pauseTimer_;  // not owned: the control's timer, null once freed
  bool& reflectTimer_;         // not owned: the control's ReflectTimer
};
