// The floating form over a drawing area: clamping and anchors after moves and
// parent resizes, the header drag with its confined pointer, and every way a
// drag can lose its end.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestTime.h"
#include "WindowTest.h"
#include "forms/Floatfrm.h"
#include "forms/InterfaceSettings.h"
#include "framework/Application.h"
#include "framework/IniFile.h"
#include "framework/Panel.h"
#include "framework/Pointer.h"

namespace {

struct TRecorder : TObject {
  int closes = 0, moves = 0;
  TFloatingForm* form = nullptr;
  void BtnClose(TObject*) { ++closes; }
  void PosChanged(TObject*) {
    ++moves;
    if (form) seen.push_back({form->Left(), form->Top(), form->Anchors()});
  }
  struct TSeen {
    int left, top;
    TAnchors anchors;
  };
  std::vector<TSeen> seen;
};

RECT ScreenRect() {
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// The pointer is confined to exactly area (the program's own record: Wine on
// a virtual display does not confine), or free as far as the program and the
// system know.
bool ConfinedTo(const RECT& area) { return PointerConfined() && Same(PointerConfinement(), area); }
bool Free() {
  RECT clip;
  GetClipCursor(&clip);
  return !PointerConfined() && Same(clip, ScreenRect());
}

class FloatingForm : public ::testing::Test {
public:
  void SetUp() override {
    InterfaceSettings = TInterfaceSettings();
    host = TCustomForm::Create<TForm>(Application);
    host->SetBounds(60, 60, 700, 520);
    area = new TPanel(host);
    area->SetParent(host);
    area->SetBounds(10, 10, 600, 400);
    area->SetColor(clWhite);
    host->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(host->Handle()) != FALSE; }));
    floating = TCustomForm::Create<TFloatingForm>(Application);
    floating->SetParent(area);
    floating->SetBounds(40, 30, 150, 80);
    floating->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(floating->Handle()) != FALSE; }));
  }
  void TearDown() override {
    ConfinePointer(nullptr);
    TComponent::Free(floating);
    TComponent::Free(host);
    InterfaceSettings = TInterfaceSettings();
    TakeApplicationErrors();
  }
  void Press(int x, int y) { SendMessageW(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Drag(int x, int y) { SendMessageW(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Release(int x, int y) { SendMessageW(Header(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  HWND Header() { return floating->Header->Handle(); }
  RECT AreaOnScreen() {
    POINT o = area->ClientOrigin();
    return RECT{o.x, o.y, o.x + area->ClientWidth(), o.y + area->ClientHeight()};
  }
  bool Anchored(TAnchors a) { return floating->Anchors() == a; }

  TForm* host = nullptr;
  TPanel* area = nullptr;
  TFloatingForm* floating = nullptr;
};

TEST_F(FloatingForm, IsACaptionlessChildWithADialogFrameThatLeavesThePointerAlone) {
  LONG_PTR style = GetWindowLongPtrW(floating->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & WS_DLGFRAME);
  EXPECT_FALSE(style & WS_BORDER);  // so no caption bar
  EXPECT_FALSE(floating->FPointerToForm);
  EXPECT_EQ(floating->Header->Width(), 13);
  EXPECT_EQ(floating->Header->Height(), floating->ClientHeight());
}

TEST_F(FloatingForm, MovesAreClampedIntoTheMoveAreaAndAnchorTheNearerEdges) {
  TRecorder rec;
  rec.form = floating;
  floating->OnWindowPosChanged = TNotifyEvent::Of<&TRecorder::PosChanged>(&rec);
  const int w = floating->Width(), h = floating->Height();
  struct Case {
    const char* what;
    int left, top, wantLeft, wantTop;
    TAnchors anchors;
  } cases[] = {
      {"upper left quarter", 40, 30, 40, 30, {akLeft, akTop}},
      {"half outside the right edge", 600 - w / 2, 30, 600 - 1 - 13 - w, 30, {akRight, akTop}},
      {"below the bottom", 40, 390, 40, 400 - 1 - 13 - h, {akLeft, akBottom}},
      {"left of and above the area", -60, -20, 1, 1, {akLeft, akTop}},
  };
  for (const auto& c : cases) {
    rec.seen.clear();
    floating->SetBounds(c.left, c.top, w, h);
    EXPECT_EQ(floating->Left(), c.wantLeft) << c.what;
    EXPECT_EQ(floating->Top(), c.wantTop) << c.what;
    EXPECT_TRUE(Anchored(c.anchors)) << c.what;
    // The event that reports the clamped place already has its anchors.
    for (const auto& e : rec.seen) {
      if (e.left == c.wantLeft && e.top == c.wantTop) {
        EXPECT_TRUE(e.anchors == c.anchors) << c.what;
      }
    }
  }
  EXPECT_GE(rec.moves, 4);
  floating->OnWindowPosChanged = TNotifyEvent();

  // A form taller than the area ends with its top on the area's top.
  floating->SetBounds(40, 50, w, 500);
  EXPECT_EQ(floating->Top(), 1);
  EXPECT_TRUE(Anchored({akLeft, akTop}));
}

TEST_F(FloatingForm, AnchorsKeepTheFormInPlaceWhenTheParentGrows) {
  floating->SetBounds(40, 30, 150, 80);
  area->SetBounds(10, 10, 660, 460);
  EXPECT_EQ(floating->Left(), 40);
  EXPECT_EQ(floating->Top(), 30);
  floating->SetBounds(400, 250, 150, 80);  // lower right: anchored right and bottom
  EXPECT_TRUE(Anchored({akRight, akBottom}));
  area->SetBounds(10, 10, 600, 400);
  EXPECT_EQ(floating->Left(), 340);
  EXPECT_EQ(floating->Top(), 190);
}

TEST(FloatingFormShownBeforeItsParent, TakesItsAnchorsWhenShown) {
  // Shown while its parent is hidden, the form is told of no move; its
  // layout's anchors (left, top and right) must not stretch it all the same.
  TForm* host = TCustomForm::Create<TForm>(Application);
  host->SetBounds(60, 60, 700, 520);
  auto* area = new TPanel(host);
  area->SetParent(host);
  area->SetBounds(10, 10, 600, 400);
  auto* floating = TCustomForm::Create<TFloatingForm>(host);
  floating->SetParent(area);
  floating->SetBounds(40, 30, 150, 80);
  floating->Show();
  host->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(floating->Handle()) != FALSE; }));
  area->SetBounds(10, 10, 500, 300);
  EXPECT_EQ(floating->Width(), 150);
  EXPECT_EQ(floating->Left(), 40);
  EXPECT_TRUE(floating->Anchors() == (TAnchors{akLeft, akTop}));
  TComponent::Free(host);
}

TEST_F(FloatingForm, TheScrollButtonSizeComesFromTheStore) {
  TIniFile store;
  store.WriteInteger("MainForm", "ScrollButtonSize", 20);
  InterfaceSettings.Store = &store;
  RECT a = floating->GetMoveArea();
  EXPECT_EQ(a.right, 600 - 1 - 20);
  EXPECT_EQ(a.bottom, 400 - 1 - 20);
  floating->SetLeaveSpaceForScrollBars(false);
  EXPECT_EQ(floating->GetMoveArea().right, 599);
  InterfaceSettings.Store = nullptr;
  floating->SetLeaveSpaceForScrollBars(true);
  EXPECT_EQ(floating->GetMoveArea().right, 600 - 1 - 13);
}

TEST_F(FloatingForm, TheCloseButtonHidesUnlessOnBtnCloseIsAssigned) {
  ASSERT_NE(floating->btnClose, nullptr);
  EXPECT_EQ(floating->btnClose->Parent(), floating->Header);
  EXPECT_EQ(floating->btnClose->Glyph().Width(), 10);
  TRecorder rec;
  floating->OnBtnClose = TNotifyEvent::Of<&TRecorder::BtnClose>(&rec);
  Press(5, 5);  // on the close button
  Release(5, 5);
  EXPECT_EQ(rec.closes, 1);
  EXPECT_FALSE(floating->Dragging());
  EXPECT_TRUE(IsWindowVisible(floating->Handle()));
  floating->OnBtnClose = TNotifyEvent();
  Press(5, 5);
  Release(5, 5);
  EXPECT_FALSE(IsWindowVisible(floating->Handle()));
}

TEST_F(FloatingForm, DraggingTheHeaderMovesTheFormOnlyAtTheRelease) {
  Press(5, 30);
  EXPECT_TRUE(floating->Dragging());
  EXPECT_EQ(GetCapture(), Header());
  EXPECT_TRUE(ConfinedTo(AreaOnScreen()));
  Drag(65, 50);
  Drag(105, 90);
  EXPECT_EQ(floating->Left(), 40);  // the outline moves, the form does not
  Release(105, 90);
  EXPECT_FALSE(floating->Dragging());
  EXPECT_EQ(floating->Left(), 140);
  EXPECT_EQ(floating->Top(), 90);
  EXPECT_TRUE(Free());
  EXPECT_NE(GetCapture(), Header());
}

TEST_F(FloatingForm, ADragThatLosesItsEndFreesThePointerWithoutMovingTheForm) {
  struct Case {
    const char* what;
    void (*interrupt)(FloatingForm&);
  } cases[] = {
      {"capture taken", [](FloatingForm& t) { SetCapture(t.host->Handle()); }},
      {"cancel mode", [](FloatingForm& t) { SendMessageW(t.floating->Handle(), WM_CANCELMODE, 0, 0); }},
      {"hidden", [](FloatingForm& t) { t.floating->Hide(); }},
      {"window made again", [](FloatingForm& t) { t.floating->SetParent(t.host); t.floating->SetParent(t.area); }},
      {"a new press", [](FloatingForm& t) { t.Press(5, 40); t.Release(5, 40); }},
  };
  for (const auto& c : cases) {
    floating->Show();
    floating->SetBounds(40, 30, 150, 80);
    Press(5, 30);
    Drag(60, 70);
    ASSERT_TRUE(ConfinedTo(AreaOnScreen())) << c.what;
    c.interrupt(*this);
    Pump(30);
    EXPECT_FALSE(floating->Dragging()) << c.what;
    EXPECT_TRUE(Free()) << c.what;
    EXPECT_EQ(floating->Left(), 40) << c.what;
    EXPECT_EQ(floating->Top(), 30) << c.what;
    if (GetCapture()) ReleaseCapture();
  }
  Press(5, 30);
  TComponent::Free(floating);  // destroyed mid-drag
  floating = nullptr;
  EXPECT_TRUE(Free());
}

TEST(FloatingFormWithoutParent, DragsOnTheScreenAndIsNeverClamped) {
  auto* floating = TCustomForm::Create<TFloatingForm>(Application);
  floating->SetBounds(200, 150, 150, 80);
  floating->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(floating->Handle()) != FALSE; }));
  floating->AdjustAnchors();
  EXPECT_EQ(floating->Left(), 200);
  HWND header = floating->Header->Handle();
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 25));
  EXPECT_TRUE(ConfinedTo(ScreenRect()));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-95, 45));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(-95, 45));
  EXPECT_EQ(floating->Left(), 100);
  EXPECT_EQ(floating->Top(), 170);
  EXPECT_TRUE(Free());
  TComponent::Free(floating);
}

}  // namespace
