// The typed spin edit in a real window: its values after construction, the
// double OnChange of a value assignment, steps on the float grid and inside
// the integer range by button and arrow key, what leaving the control checks,
// and the switches that make steps inert.

#include <cmath>

#include "ValueControlProbe.h"
#include "framework/Clipboard.h"
#include "framework/SpinButton.h"

namespace {

using TmrSpinEditWindow = ValueControlWindow<TTmrSpinEdit>;

TEST_F(TmrSpinEditWindow, PublishesItsValuesAfterConstruction) {
  TTmrSpinEdit* fresh = Add(90);
  const std::pair<const char*, TPropValue> expected[] = {
      {"Color", int64_t{clWindow}},    {"UpdateOnButtons", false},  {"ReflectTimer", true},
      {"EditType", int64_t{edtInteger}}, {"IncFloat", 0.0},         {"MaxValueF", 0.0},
      {"MinValueF", 0.0},              {"Value", 0.0},              {"ValueFmt", std::string()},
      {"ValueExt", 0.0},               {"ValueInt", int64_t{0}},    {"WaitingTime", int64_t{2000}},
      {"Text", std::string("0")},      {"WidthNormal", int64_t{0}}, {"Increment", int64_t{1}},
      {"EditorEnabled", true},         {"MinValue", int64_t{0}},    {"MaxValue", int64_t{0}},
  };
  for (const auto& [name, value] : expected) {
    const TPropInfo* p = fresh->ClassInfo().FindProp(name);
    ASSERT_NE(p, nullptr) << name;
    EXPECT_EQ(p->Get(*fresh), value) << name;
  }
  EXPECT_EQ(fresh->ClassInfo().FindProp("Value")->Kind, TPropKind::Float);
  EXPECT_EQ(fresh->Tolerance(), 0.0);
  EXPECT_FALSE(fresh->PauseTimer()->Enabled());

  fresh->SetEditType(edtFloat);
  fresh->SetEditType(edtChar);
  fresh->SetEditType(edtBin);
  EXPECT_EQ(fresh->EditType(), edtFloat);
  fresh->SetIncFloat(0.5);
  EXPECT_EQ(fresh->Tolerance(), 0.5e-6);
}

TEST_F(TmrSpinEditWindow, EveryValueAssignmentRaisesOnChangeTwice) {
  control->SetValueInt(4);
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnChange"}));
  EXPECT_FALSE(control->Modified());
  EXPECT_TRUE(control->PauseTimer()->Enabled());  // focused: the pause restarts
  control->SetValueInt(4);
  EXPECT_EQ(log.Take(), (TLines{"OnChange"}));  // same text: only the explicit run

  // Without a parent window the change handling does nothing at all.
  auto* loose = new TTmrSpinEdit(form);
  TEventLog looseLog;
  looseLog.Attach(loose);
  loose->SetValueInt(9);
  EXPECT_EQ(loose->Text(), "9");
  EXPECT_TRUE(looseLog.lines.empty());
  EXPECT_EQ(TakeApplicationErrors(), "");
}

TEST_F(TmrSpinEditWindow, ChangeHandlerErrorsAreSwallowed) {
  log.throwOnChange = true;
  control->SetValueInt(3);
  control->SetSelStart(1);
  Type("4");
  EXPECT_EQ(control->Text(), "34");
  EXPECT_EQ(TakeApplicationErrors(), "");
}

struct TFloatStep {
  double inc, min, max, from;
  WPARAM key;  // VK_UP or VK_DOWN
  double to;
  bool written;  // the value was written again (OnChange)
};

TEST_F(TmrSpinEditWindow, FloatStepsFollowTheGridAndStopAtTheBounds) {
  const TFloatStep cases[] = {
      {0.1, 0, 0, 0.25, VK_UP, 0.3, true},   {0.1, 0, 0, 0.25, VK_DOWN, 0.1, true},
      {0.1, 0, 0, 0.3, VK_DOWN, 0.2, true},  {0.1, 0, 0, -0.25, VK_DOWN, -0.3, true},
      {0.3, 0, 1, 0.9, VK_UP, 1.0, true},    {0.3, 0, 1, 1.0, VK_UP, 1.0, false},
      {0.3, 0, 1, 0.1, VK_DOWN, 0.0, true},  {0.3, 0, 1, 0.0, VK_DOWN, 0.0, false},
      {0, 0, 0, 2.5, VK_UP, 2.5, true},
  };
  control->SetEditType(edtFloat);
  for (const TFloatStep& c : cases) {
    control->SetIncFloat(c.inc);
    control->MinValueF = c.min;
    control->MaxValueF = c.max;
    control->SetValueExt(c.from);
    log.Take();
    SendMessageW(control->Handle(), WM_KEYDOWN, c.key, 1);
    SCOPED_TRACE(std::to_string(c.from) + (c.key == VK_UP ? " up" : " down") + " by " + std::to_string(c.inc));
    EXPECT_NEAR(control->ValueExt(), c.to, 1e-12);
    TLines expected{"OnKeyDown " + std::to_string(c.key)};
    if (c.written) expected.insert(expected.begin(), {"OnChange", "OnChange"});
    if (c.written && c.to == c.from) expected.erase(expected.begin());  // same text
    EXPECT_EQ(log.Take(), expected);
  }
}

struct TIntStep {
  TEditType type;
  int32_t min, max, inc, from;
  bool up;
  int32_t to;
};

TEST_F(TmrSpinEditWindow, IntegerStepsStayInsideASetRange) {
  const TIntStep cases[] = {
      {edtInteger, 0, 10, 3, 8, true, 8},     {edtInteger, 0, 10, 3, 7, true, 10},
      {edtInteger, 0, 10, 3, 2, false, 2},    {edtInteger, 0, 10, 3, 3, false, 0},
      {edtInteger, 0, 0, 3, 8, true, 11},     {edtInteger, 0, 0, 3, 0, false, -3},
      {edtHex, 0, 255, 16, 240, true, 240},   {edtCardinal, 0, 0, 1, 2147483647, true, 2147483647},
  };
  for (const TIntStep& c : cases) {
    control->SetEditType(c.type);
    control->SetMinValue(c.min);
    control->SetMaxValue(c.max);
    control->SetIncrement(c.inc);
    control->SetValueInt(c.from);
    if (c.up) control->StepUp();
    else control->StepDown();
    EXPECT_EQ(control->ValueInt(), c.to) << c.from << (c.up ? " up" : " down");
  }
}

TEST_F(TmrSpinEditWindow, ButtonsStepAndCanRaiseTheUpdate) {
  control->SetEditType(edtFloat);
  control->SetIncFloat(0.5);
  control->SetValueFmt("0.0");
  HWND button = control->Button()->Handle();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 2));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(7, 2));
  EXPECT_EQ(control->Text(), Dec("0.5"));
  control->UpdateOnButtons = true;
  control->MaxValueF = 5;
  log.Take();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 14));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(7, 14));
  EXPECT_EQ(control->Text(), Dec("0.0"));
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnChange", "OnUpdate"}));
}

TEST_F(TmrSpinEditWindow, ReadOnlyOrEditorDisabledMakesStepsAndPastingInert) {
  control->SetEditorEnabled(false);
  control->StepUp();
  SendMessageW(control->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(control->Text(), "0");
  control->SelectAll();
  Type("7");  // typing still works
  EXPECT_EQ(control->Text(), "7");
  ASSERT_TRUE(SetClipboardText("8"));
  control->SelectAll();
  control->PasteFromClipboard();
  EXPECT_EQ(control->Text(), "7");
  control->SetEditorEnabled(true);
  control->SetReadOnly(true);
  control->StepDown();
  EXPECT_EQ(control->Text(), "7");
}

TEST_F(TmrSpinEditWindow, RefusedKeysAreSilentAndEnterReflectsBeforeKeyDown) {
  control->SelectAll();
  Type("x");
  EXPECT_TRUE(log.Take().empty());
  Type("5");
  log.Take();
  SendMessageW(control->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Type("\r");
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnOverflow", "OnKeyDown 13"}));
}

struct TExitCase {
  const char* name;
  TEditType type;
  double min, max;  // the integer or float range, by type
  const char* text;
  bool visible;
  bool underflowAssigned;
  TLines events;
};

TEST_F(TmrSpinEditWindow, ExitCheckComparesExactlyAndIgnoresVisibility) {
  const TExitCase cases[] = {
      {"unset integer range", edtInteger, 0, 0, "5", true, true, {"OnUpdate", "OnExit"}},
      {"integer overflow, hidden", edtInteger, 1, 3, "5", false, true, {"OnOverflow", "OnExit"}},
      {"integer underflow, no handler", edtInteger, 1, 3, "0", true, false, {"OnExit"}},
      {"inside, hidden", edtInteger, 1, 3, "2", false, true, {"OnExit"}},
      {"empty", edtInteger, 1, 3, "", false, true, {"OnEmpty", "OnExit"}},
      {"unset float range", edtFloat, 0, 0, "-3", true, true, {"OnUpdate", "OnExit"}},
      {"exact float bound", edtFloat, 0, 0.3, "0.3000001", true, true, {"OnOverflow", "OnExit"}},
      {"positive floatP, both bounds 0", edtFloatP, 0, 0, "3", true, true, {"OnOverflow", "OnExit"}},
  };
  for (const TExitCase& c : cases) {
    control->SetEditType(c.type);
    control->SetMinValue(static_cast<int32_t>(c.min));
    control->SetMaxValue(static_cast<int32_t>(c.max));
    control->MinValueF = c.min;
    control->MaxValueF = c.max;
    control->SetVisible(c.visible);
    if (!c.underflowAssigned) control->OnUnderflow = TNotifyEvent();
    UserText(Dec(c.text));
    control->PauseTimer()->SetEnabled(false);
    log.Take();
    control->ExitCheck();
    EXPECT_EQ(log.Take(), c.events) << c.name;
    control->SetVisible(true);
    log.Attach(control);
  }
}

TEST_F(TmrSpinEditWindow, LeavingWhileThePauseRunsReflects) {
  Type("5");
  ASSERT_TRUE(control->PauseTimer()->Enabled());
  log.Take();
  Leave();
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnOverflow", "OnExit"}));
  EXPECT_EQ(control->Text(), "5");
}

TEST_F(TmrSpinEditWindow, FloatPMinimumBecomesZeroAtTheFirstStepOrExit) {
  control->SetEditType(edtFloatP);
  control->SetIncFloat(1);
  control->MinValueF = -5;
  control->MaxValueF = 10;
  control->StepDown();
  EXPECT_EQ(control->MinValueF, 0.0);
  EXPECT_EQ(control->ValueExt(), 0.0);
  other->SetEditType(edtFloatP);
  other->MinValueF = -5;
  other->ExitCheck();
  EXPECT_EQ(other->MinValueF, 0.0);
}

}  // namespace
