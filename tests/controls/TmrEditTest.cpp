// The typed value edit in a real window: what it publishes and streams, the
// key filter and paste check on real input, Escape and Enter, the pause timer
// and the reflection with its events, range and visibility rules, and the
// conversions between text and value.

#include <stdexcept>

#include "ValueControlProbe.h"
#include "framework/Clipboard.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/LayoutWriter.h"

namespace {

using TmrEditWindow = ValueControlWindow<TTmrEdit>;

TEST_F(TmrEditWindow, PublishesItsValuesAfterConstruction) {
  TTmrEdit* fresh = Add(90);
  const std::pair<const char*, TPropValue> expected[] = {
      {"ReflectTimer", true},          {"EditType", int64_t{edtChar}}, {"MaxValue", 0.0},
      {"MinValue", 0.0},               {"ValueFmt", std::string()},    {"ValueExt", 0.0},
      {"ValueInt", int64_t{0}},        {"WaitingTime", int64_t{2000}}, {"WidthNormal", int64_t{121}},
      {"Color", int64_t{clWindow}},    {"Text", std::string()},
  };
  for (const auto& [name, value] : expected) {
    const TPropInfo* p = fresh->ClassInfo().FindProp(name);
    ASSERT_NE(p, nullptr) << name;
    EXPECT_EQ(p->Get(*fresh), value) << name;
  }
  EXPECT_EQ(fresh->PauseTimer()->Interval(), 2000u);
  EXPECT_FALSE(fresh->PauseTimer()->Enabled());
}

TEST_F(TmrEditWindow, StreamsEveryPropertyButColourAndReadsThemBack) {
  form->SetName("Probe");
  control->SetName("Edit1");
  other->SetName("Edit2");
  control->SetEditType(edtFloat);
  control->MaxValue = 10;
  control->SetWaitingTime(750);
  control->SetValueFmt("0.00");
  control->SetValueExt(2.5);
  std::string text = TLayoutWriter::Write(*form);
  for (const char* line : {"ReflectTimer = True", "EditType = edtFloat", "MaxValue = 10", "MinValue = 0",
                           "ValueFmt = '0.00'", "ValueExt = 2.5", "WaitingTime = 750",
                           "WidthNormal = 121"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  EXPECT_EQ(text.find(" Color ="), std::string::npos) << text;
  // The rounded ValueInt is not recorded: it would overwrite the value.
  EXPECT_EQ(text.find("ValueInt"), std::string::npos) << text;

  TForm* copy = TCustomForm::Create<TForm>(Application);
  copy->SetName("Copy");
  TLayoutReader::ReadRoot(*copy, TLayoutParser::Parse(text));
  auto* read = dynamic_cast<TTmrEdit*>(copy->FindComponent("Edit1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->EditType(), edtFloat);
  EXPECT_EQ(read->WaitingTime(), 750);
  EXPECT_EQ(read->PauseTimer()->Interval(), 750u);
  EXPECT_EQ(read->ValueFmt(), "0.00");
  EXPECT_EQ(read->ValueExt(), 2.5);
  EXPECT_EQ(read->Text(), Dec("2.50"));
  TComponent::Free(copy);
}

struct TKeyCase {
  TEditType type;
  const char* text;  // English separators
  int caret;
  char key;          // '.' is the locale's decimal separator, '#' the other one
  bool accepted;
};

TEST_F(TmrEditWindow, TypedCharactersPassTheFilterOrReachOnOtherKey) {
  const char sep = UserLocaleSeparators().Decimal;
  const char foreign = sep == ',' ? '.' : ',';
  const TKeyCase cases[] = {
      {edtInteger, "-5", 0, '-', false}, {edtInteger, "-5", 0, '+', true},  {edtInteger, "5", 1, '-', false},
      {edtCardinal, "5", 1, '-', false}, {edtHex, "1", 1, 'g', false},      {edtHex, "1", 1, 'f', true},
      {edtBin, "1", 1, '2', false},      {edtFloat, "1E5", 2, '-', true},   {edtFloat, "1E5", 2, '.', false},
      {edtFloat, "1E5", 3, 'E', false},  {edtFloat, "1", 1, '.', true},     {edtFloat, "1", 1, '#', false},
      {edtFloatP, "", 0, '-', false},    {edtFloatP, "", 0, 'E', false},    {edtFloatP, "", 0, '+', true},
      {edtChar, "", 0, '\xF5', true},
  };
  for (const TKeyCase& c : cases) {
    control->SetEditType(c.type);
    control->SetText(Dec(c.text));
    control->SetSelStart(c.caret);
    log.Take();
    char key = c.key == '.' ? sep : c.key == '#' ? foreign : c.key;
    Type(std::string(1, key));
    std::string expectText = Dec(c.text);
    if (c.accepted) expectText.insert(static_cast<size_t>(c.caret), 1, key);
    SCOPED_TRACE(std::string(EditTypeInfo().Name(c.type)) + " '" + c.text + "' + " + key);
    EXPECT_EQ(control->Text(), expectText);
    EXPECT_EQ(log.Take(), c.accepted ? (TLines{std::string("OnKeyPress ") + key, "OnChange"})
                                     : (TLines{std::string("OnOtherKey ") + key}));
  }
}

TEST_F(TmrEditWindow, EscapeUndoesTheLastEditAndGoesNoFurther) {
  control->SetEditType(edtInteger);
  Type("12");
  log.Take();
  Type("\x1B");
  EXPECT_EQ(control->Text(), "");
  EXPECT_EQ(log.Take(), TLines{"OnChange"});  // one change; no OnKeyPress 27
}

TEST_F(TmrEditWindow, EnterReflectsThenReachesOnOtherKey) {
  control->SetEditType(edtInteger);
  Type("5");
  log.Take();
  SendMessageW(control->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Type("\r");
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnOverflow", "OnKeyDown 13", "OnOtherKey 13"}));
  EXPECT_FALSE(control->PauseTimer()->Enabled());
}

TEST_F(TmrEditWindow, ThePauseReflectsOnceAfterTheLastChange) {
  control->SetEditType(edtInteger);
  control->MaxValue = 100;
  control->SetWaitingTime(ScaledMs(600));  // every wait below is in proportion
  Type("5");
  Pump(400);
  Type("x");  // refused: the countdown starts again
  Pump(400);  // past the first countdown's end
  EXPECT_EQ(log.Take(), (TLines{"OnKeyPress 5", "OnChange", "OnOtherKey x"}));
  ASSERT_TRUE(WaitUntil([&] { return !control->PauseTimer()->Enabled(); }, 2000));
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnUpdate"}));
  Pump(500);
  EXPECT_TRUE(log.Take().empty());
}

TEST_F(TmrEditWindow, WithoutAPauseOnlyEnterAndLeavingReflect) {
  control->SetEditType(edtInteger);
  control->SetWaitingTime(0);
  Type("-7");
  Pump(300);
  EXPECT_FALSE(control->PauseTimer()->Enabled());
  log.Take();
  Leave();
  EXPECT_EQ(log.Take(), (TLines{"OnExit", "OnChange", "OnUnderflow"}));
}

TEST_F(TmrEditWindow, OnlyAFocusedChangeStartsThePause) {
  other->SetValueInt(3);
  EXPECT_FALSE(other->PauseTimer()->Enabled());
  control->SetValueInt(3);
  EXPECT_TRUE(control->PauseTimer()->Enabled());
}

struct TReflectCase {
  TEditType type;
  const char* text;
  double min, max;
  bool visible;
  bool overflowAssigned;
  TLines events;
};

TEST_F(TmrEditWindow, ReflectionFollowsTypeRangeAndVisibility) {
  const TReflectCase cases[] = {
      {edtInteger, "5", 0, 0, true, true, {"OnChange", "OnOverflow"}},
      {edtInteger, "5", 0, 0, true, false, {"OnChange", "OnUpdate"}},
      {edtInteger, "-5", 0, 0, true, true, {"OnChange", "OnUnderflow"}},
      {edtHex, "ff", 0, 255, true, true, {"OnChange", "OnUpdate"}},
      {edtFloat, "2.5", 2.5, 2.5, true, true, {"OnChange", "OnUpdate"}},
      {edtFloat, "2.51", 0, 2.5, true, true, {"OnChange", "OnOverflow"}},
      {edtChar, "abc", 0, 0, true, true, {"OnChange", "OnUpdate"}},
      {edtBin, "101", 0, 0, true, true, {"OnChange"}},
      {edtInteger, "5", 0, 0, false, true, {"OnChange"}},
      {edtInteger, "", 0, 0, false, true, {"OnChange", "OnEmpty"}},
      {edtInteger, "", 0, 0, true, true, {"OnChange", "OnEmpty"}},
  };
  for (const TReflectCase& c : cases) {
    control->SetEditType(c.type);
    control->MinValue = c.min;
    control->MaxValue = c.max;
    control->SetVisible(c.visible);
    if (!c.overflowAssigned) control->OnOverflow = TNotifyEvent();
    UserText(Dec(c.text));
    log.Take();
    control->ReflectValue(control);
    EXPECT_EQ(log.Take(), c.events) << EditTypeInfo().Name(c.type) << " '" << c.text << "'";
    log.Attach(control);
  }
}

TEST_F(TmrEditWindow, ClearedReflectTimerSuppressesExactlyTheNextReflection) {
  control->SetText("x");
  control->ReflectTimer = false;
  log.Take();
  control->ReflectValue(control);
  EXPECT_TRUE(log.Take().empty());
  EXPECT_TRUE(control->ReflectTimer);
  control->ReflectValue(control);
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnUpdate"}));
}

TEST_F(TmrEditWindow, AFailingHandlerStillStopsTheTimerAndReenablesReflection) {
  control->SetValueInt(1);
  ASSERT_TRUE(control->PauseTimer()->Enabled());
  log.throwOnUpdate = true;
  control->MaxValue = 5;
  EXPECT_THROW(control->ReflectValue(control), Exception);
  EXPECT_FALSE(control->PauseTimer()->Enabled());
  EXPECT_TRUE(control->ReflectTimer);
}

TEST_F(TmrEditWindow, ValuesReadBackExactlyUntilTheUserEdits) {
  control->SetValueInt(7);
  EXPECT_EQ(control->ValueExt(), 7.0);
  control->SetValueExt(0.1 + 0.2);
  EXPECT_EQ(control->ValueExt(), 0.1 + 0.2);  // not the 15-digit text
  const std::pair<const char*, int32_t> typed[] = {{"7.6", 8}, {"2.5", 2}, {"3.5", 4}, {"abc", 0}, {"", 0}};
  for (auto [text, value] : typed) {
    UserText(Dec(text));
    EXPECT_EQ(control->ValueInt(), value) << text;
  }
  control->SetEditType(edtHex);
  control->SetValueInt(255);
  EXPECT_EQ(control->Text(), "FF");
  control->SetValueInt(-1);
  EXPECT_EQ(control->Text(), "FFFFFFFF");
  UserText("ff");
  EXPECT_EQ(control->ValueInt(), 255);
}

TEST_F(TmrEditWindow, APatternRendersTheCurrentValue) {
  control->SetEditType(edtFloat);
  control->SetValueExt(2);
  control->SetValueFmt("0.00");
  EXPECT_EQ(control->Text(), Dec("2.00"));
  control->SetValueFmt("#0.###");
  EXPECT_EQ(control->Text(), "2");
  control->SetValueExt(2.5);
  EXPECT_EQ(control->Text(), Dec("2.5"));
  EXPECT_FALSE(control->Modified());
}

class TConverter : public TObject {
public:
  double StrToVal(TObject*, const std::string& s) {
    if (s == "bad") throw std::runtime_error("no");
    return static_cast<double>(s.size());
  }
  std::string ValToStr(TObject*, double v) {
    if (v < 0) throw std::runtime_error("no");
    return "<" + std::to_string(static_cast<int>(v)) + ">";
  }
};

TEST_F(TmrEditWindow, ConversionEventsReplaceTheBuiltInOnes) {
  TConverter converter;
  control->OnStrToVal = TStrToValEvent::Of<&TConverter::StrToVal>(&converter);
  control->OnValToStr = TValToStrEvent::Of<&TConverter::ValToStr>(&converter);
  control->SetValueExt(4);
  EXPECT_EQ(control->Text(), "<4>");
  control->SetValueExt(-4);
  EXPECT_EQ(control->Text(), "0");
  UserText("abcd");
  EXPECT_EQ(control->ValueExt(), 4.0);
  UserText("bad");
  EXPECT_EQ(control->ValueExt(), 0.0);
}

TEST_F(TmrEditWindow, PastesAreCheckedAgainstTheType) {
  control->SetEditType(edtInteger);
  control->SetText("12");
  control->SetSelStart(1);
  control->SetSelLength(1);
  log.Take();
  ASSERT_TRUE(SetClipboardText("12a"));
  Type("\x16");  // Ctrl+V
  EXPECT_EQ(control->Text(), "12");
  EXPECT_EQ(log.Take(), (TLines{"OnKeyPress 22"}));  // the paste itself raises nothing
  ASSERT_TRUE(SetClipboardText("3"));
  control->PasteFromClipboard();
  EXPECT_EQ(control->Text(), "13");
  ASSERT_TRUE(SetClipboardText("-1"));
  control->SetSelStart(1);
  control->PasteFromClipboard();  // "1-13" is no integer
  EXPECT_EQ(control->Text(), "13");
}

TEST_F(TmrEditWindow, DoubleClickReflectsOnlyWhileThePauseRuns) {
  control->SetText("x");
  control->ReflectValue(control);  // stops the pause the change started
  log.Take();
  SendMessageW(control->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(log.Take(), (TLines{"OnDblClick"}));
  SendMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  Type("y");
  log.Take();
  SendMessageW(control->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(log.Take(), (TLines{"OnChange", "OnUpdate", "OnDblClick"}));
  SendMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

TEST_F(TmrEditWindow, TextStartsTwoPixelsFromTheBorder) {
  EXPECT_EQ(LOWORD(SendMessageW(control->Handle(), EM_GETMARGINS, 0, 0)), 2);
}

}  // namespace
