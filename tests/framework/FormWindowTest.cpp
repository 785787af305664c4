// Forms, graphic controls and timers in real windows: the life cycle events
// in their order, painting, mouse routing to the topmost control, clicks and
// double clicks, timers, and exceptions kept inside the window procedures.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "TestTime.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/CustomForm.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutWriter.h"
#include "framework/Panel.h"
#include "framework/Shape.h"
#include "framework/Timer.h"

namespace {

std::vector<std::string> events;

class TTestForm : public TForm {
public:
  using TForm::TForm;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", &TForm::StaticClassInfo())
                                       .Layout("TTESTFORM")
                                       .Field("Box", &TTestForm::Box)
                                       .Field("Over", &TTestForm::Over)
                                       .Field("Hidden", &TTestForm::Hidden)
                                       .Field("Under", &TTestForm::Under)
                                       .Field("Disabled", &TTestForm::Disabled)
                                       .Field("Ticker", &TTestForm::Ticker)
                                       .Field("Panel1", &TTestForm::Panel1)
                                       .Method<&TTestForm::FormCreate>("FormCreate")
                                       .Method<&TTestForm::FormDestroy>("FormDestroy")
                                       .Method<&TTestForm::FormShow>("FormShow")
                                       .Method<&TTestForm::FormHide>("FormHide")
                                       .Method<&TTestForm::LabelClick>("LabelClick")
                                       .Method<&TTestForm::LabelMouseMove>("LabelMouseMove")
                                       .Method<&TTestForm::TickerTimer>("TickerTimer")
                                       .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  void FormCreate(TObject*) { events.push_back(Box ? "create with fields" : "create without fields"); }
  void FormDestroy(TObject*) {
    if (throwOnDestroy) throw 42;  // not a std::exception
    events.push_back(Over ? "destroy with fields" : "destroy without fields");
  }
  void FormShow(TObject*) {
    events.push_back(IsWindowVisible(Handle()) ? "show after visible" : "show before visible");
  }
  void FormHide(TObject*) { events.push_back(IsWindowVisible(Handle()) ? "hide while visible" : "hide after"); }
  void LabelClick(TObject* sender) {
    if (throwOnClick) throw Exception("click failed");
    events.push_back("click " + static_cast<TComponent*>(sender)->Name());
  }
  void LabelMouseMove(TObject* sender, TShiftState, int x, int y) {
    events.push_back("move " + static_cast<TComponent*>(sender)->Name() + " " + std::to_string(x) + "," +
                     std::to_string(y));
  }
  void TickerTimer(TObject*) { ++ticks; }

  TShape* Box = nullptr;
  TLabel* Over = nullptr;
  TLabel* Hidden = nullptr;
  TLabel* Under = nullptr;
  TLabel* Disabled = nullptr;
  TTimer* Ticker = nullptr;
  TPanel* Panel1 = nullptr;
  int ticks = 0;
  bool throwOnClick = false;
  bool throwOnDestroy = false;
};

class FormWindow : public ::testing::Test {
protected:
  void SetUp() override {
    events.clear();
    form = TCustomForm::Create<TTestForm>(Application);
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }

  void ShowAndPaint() {
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    UpdateWindow(form->Handle());
    Pump(100);
  }
  void Click(int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at);
  }
  COLORREF Pixel(int x, int y) {
    POINT p = ClientToScreenPoint(form->Handle(), x, y);
    return ScreenPixel(p.x, p.y);
  }

  TTestForm* form = nullptr;
};

TEST_F(FormWindow, LifeCycleEventsComeInTheirOrder) {
  ShowAndPaint();
  form->Hide();
  TComponent::Free(form);
  form = nullptr;
  EXPECT_EQ(events, (std::vector<std::string>{"create with fields", "show before visible", "hide while visible",
                                              "destroy with fields"}));
}

// Every place the form's window is given, from its creation to its first
// frame, is its final one: a shown window that moves costs a round trip to
// the window system each time.
std::vector<RECT> placesGiven;
HHOOK placeHook = nullptr;

bool IsTestForm(HWND w) {
  wchar_t name[32] = {};
  GetClassNameW(w, name, 32);
  return std::wstring(name) == L"TTestForm";
}

LRESULT CALLBACK RecordPlaces(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && IsTestForm(reinterpret_cast<HWND>(wParam))) {
    const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    placesGiven.push_back(RECT{cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy});
  }
  return CallNextHookEx(placeHook, code, wParam, lParam);
}

LRESULT CALLBACK RecordMoves(int code, WPARAM wParam, LPARAM lParam) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && m->message == WM_WINDOWPOSCHANGING && IsTestForm(m->hwnd)) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m->lParam);
    RECT r;
    GetWindowRect(m->hwnd, &r);
    if (!(pos->flags & SWP_NOMOVE)) OffsetRect(&r, pos->x - r.left, pos->y - r.top);
    if (!(pos->flags & SWP_NOSIZE)) r.right = r.left + pos->cx, r.bottom = r.top + pos->cy;
    placesGiven.push_back(r);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(FormWindow, LayoutGivesTheWindowItsSizeTextAndPlace) {
  placesGiven.clear();
  placeHook = SetWindowsHookExW(WH_CBT, RecordPlaces, nullptr, GetCurrentThreadId());
  HHOOK moves = SetWindowsHookExW(WH_CALLWNDPROC, RecordMoves, nullptr, GetCurrentThreadId());
  form->Show();
  UnhookWindowsHookEx(moves);
  UnhookWindowsHookEx(placeHook);
  ShowAndPaint();
  RECT shown;
  GetWindowRect(form->Handle(), &shown);
  ASSERT_FALSE(placesGiven.empty());
  for (const RECT& r : placesGiven)
    EXPECT_TRUE(EqualRect(&r, &shown)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(WindowTextW(form->Handle()), L"Próba ablak – őű");
  LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  RECT outer;
  GetWindowRect(form->Handle(), &outer);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), Application->Handle());
  EXPECT_EQ(WindowTextW(form->Panel1->Handle()), L"Panel");
}

TEST_F(FormWindow, AnOwnIconIsTheWindowsUntilClearedThenTheClassesShows) {
  form->HandleNeeded();
  auto windowIcon = [&] { return SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0); };
  EXPECT_EQ(windowIcon(), 0);  // the class's icon serves
  form->SetIcon("TESTICON");
  EXPECT_NE(windowIcon(), 0);
  form->SetIcon("TESTICON");  // a new copy for the window, the old one freed
  EXPECT_NE(windowIcon(), 0);
  form->SetIcon("");
  EXPECT_EQ(windowIcon(), 0);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(FormWindow, GraphicControlsArePaintedBackToFront) {
  ShowAndPaint();
  const COLORREF pale = RGB(205, 224, 221), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  struct Case {
    int x, y;
    COLORREF color;
  } cases[] = {
      {0, 0, pale}, {299, 199, pale},            // the whole background shape, edges included
      {20, 20, red}, {119, 69, red},             // the red box to its last pixel
      {120, 70, pale}, {25, 60, red},
      {141, 51, blue}, {219, 89, blue},          // the opaque label
      {160, 22, pale},                           // the hidden label is not painted
  };
  for (const auto& c : cases) EXPECT_EQ(Pixel(c.x, c.y), c.color) << c.x << "," << c.y;
}

TEST_F(FormWindow, TheMouseGoesToTheTopmostVisibleEnabledControl) {
  ShowAndPaint();
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(35, 33));
  Click(35, 33);   // the transparent label over the red shape
  Click(160, 25);  // where only the hidden label is: the background gets it
  Click(155, 65);  // the disabled label passes it to the label below
  EXPECT_EQ(events, (std::vector<std::string>{"create with fields", "show before visible", "move Over 5,3",
                                              "click Over", "click Under"}));
}

TEST_F(FormWindow, AClickNeedsPressAndReleaseOnTheSameControl) {
  ShowAndPaint();
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 33));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(250, 10));  // released elsewhere
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(35, 33));   // a release alone
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(FormWindow, ADoubleClickIsOneClickAndOneDoubleClickOnEveryControl) {
  ShowAndPaint();
  auto* button = new TButton(form);
  button->SetBounds(10, 150, 75, 25);
  button->SetParent(form);
  auto* edit = new TEdit(form);
  edit->SetBounds(100, 150, 80, 21);
  edit->SetParent(form);
  struct TCounter : TObject {
    int clicks = 0, doubleClicks = 0;
    void Click(TObject*) { ++clicks; }
    void DblClick(TObject*) { ++doubleClicks; }
  };
  struct Case {
    const char* name;
    TControl* control;
    HWND window;  // where the mouse messages go
    int x, y;
  } cases[] = {
      {"label", form->Over, form->Handle(), 35, 33},
      {"panel", form->Panel1, form->Panel1->Handle(), 10, 10},
      {"button", button, button->Handle(), 10, 10},
      {"edit", edit, edit->Handle(), 5, 5},
  };
  for (const Case& c : cases) {
    TCounter counter;
    c.control->OnClick = TNotifyEvent::Of<&TCounter::Click>(&counter);
    c.control->OnDblClick = TNotifyEvent::Of<&TCounter::DblClick>(&counter);
    const LPARAM at = MAKELPARAM(c.x, c.y);
    SendMessageW(c.window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(c.window, WM_LBUTTONUP, 0, at);
    SendMessageW(c.window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(c.window, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(counter.clicks, 1) << c.name;
    EXPECT_EQ(counter.doubleClicks, 1) << c.name;
    // A click after it counts as usual.
    SendMessageW(c.window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(c.window, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(counter.clicks, 2) << c.name;
    c.control->OnClick = {};
    c.control->OnDblClick = {};
  }
}

TEST_F(FormWindow, NoExceptionLeavesAWindowProcedure) {
  ShowAndPaint();
  TExceptionEvent saved = Application->OnException;
  struct TSink : TObject {
    std::vector<std::string> texts;
    void Take(TObject*, const std::exception* e) { texts.push_back(e ? e->what() : "unknown"); }
  } sink;
  Application->OnException = TExceptionEvent::Of<&TSink::Take>(&sink);
  // A form's window procedure.
  form->throwOnClick = true;
  Click(35, 33);
  // The application window's, with something that is no std::exception: a
  // form released there fails in its OnDestroy.
  form->throwOnDestroy = true;
  Application->Release(form);
  Pump(50);
  form->throwOnDestroy = false;
  // A timer's.
  form->Ticker->SetOnTimer(TNotifyEvent::Of<&TTestForm::LabelClick>(form));
  form->Ticker->SetEnabled(true);
  WaitUntil([&] { return sink.texts.size() >= 3; }, 2000);
  form->Ticker->SetEnabled(false);
  Application->OnException = saved;
  ASSERT_GE(sink.texts.size(), 3u);
  EXPECT_EQ(sink.texts[0], "click failed");
  EXPECT_EQ(sink.texts[1], "unknown");
  EXPECT_EQ(sink.texts[2], "click failed");
}

TEST_F(FormWindow, TimersTickThroughTheMessageLoopOnlyWhileEnabled) {
  Pump(150);
  EXPECT_EQ(form->ticks, 0);
  form->Ticker->SetEnabled(true);
  EXPECT_TRUE(WaitUntil([&] { return form->ticks >= 3; }, 2000));
  form->Ticker->SetEnabled(false);
  int seen = form->ticks;
  Pump(150);
  EXPECT_EQ(form->ticks, seen);
  // A tick that was queued before the timer was disabled does nothing.
  form->Ticker->SetEnabled(true);
  HWND timers = FindWindowExW(HWND_MESSAGE, nullptr, L"TTimerWindow", nullptr);
  ASSERT_NE(timers, nullptr);
  PostMessageW(timers, WM_TIMER, reinterpret_cast<WPARAM>(form->Ticker), 0);
  form->Ticker->SetEnabled(false);
  Pump(50);
  EXPECT_EQ(form->ticks, seen);
  // A tick already queued for a timer that is then destroyed goes nowhere.
  form->Ticker->SetEnabled(true);
  Sleep(80);
  TComponent::Free(form->Ticker);
  form->Ticker = nullptr;
  Pump(100);
}

TEST_F(FormWindow, FontAndColourFollowTheParentUntilSetOwn) {
  EXPECT_TRUE(form->Over->ParentFont());
  form->Font()->SetHeight(-20);
  EXPECT_EQ(form->Over->Font()->Height(), -20);
  form->Over->Font()->SetColor(clRed);
  EXPECT_FALSE(form->Over->ParentFont());
  form->Font()->SetHeight(-30);
  EXPECT_EQ(form->Over->Font()->Height(), -20);
  EXPECT_EQ(form->Over->Color(), form->Color());
  EXPECT_EQ(form->Under->Color(), clBlue);
}

TEST(FormCreation, ALayoutThatDoesNotFitTheClassStopsTheCreation) {
  // Reading a layout into a form whose class lacks a published method the
  // layout names is refused and the half-made form is freed.
  class TBare : public TForm {
  public:
    using TForm::TForm;
    static const TClassInfo& StaticClassInfo() {
      static const TClassInfo info =
          TClassBuilder<TBare>("TBare", &TForm::StaticClassInfo()).Layout("TTESTFORM").Build();
      return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  };
  int before = Application->ComponentCount();
  EXPECT_ANY_THROW(TCustomForm::Create<TBare>(Application));
  EXPECT_EQ(Application->ComponentCount(), before);
}

}  // namespace
