// The task framework in real windows: the gallery's task page driven by real
// pointer and key input - picked points, nested tasks, the system pointer's
// visibility, precision mode's mouse acceleration, the hint's pause.

#include <gtest/gtest.h>

#include <windows.h>

#include "TestTime.h"
#include "WindowTest.h"
#include "forms/frDefaul.h"
#include "forms/frchint.h"
#include "framework/Application.h"
#include "swap/Swapfile.h"
#include "tasks/CursorInput.h"
#include "tasks/CursorHintWindow.h"
#include "tasks/TaskManager.h"
#include "tasks/TasksUnit.h"
#include "tools/taskdemo/TaskDemoPage.h"

namespace {

class TUnits : public ::testing::Environment {
public:
  void SetUp() override {
    SwapfileUnitStart();
    TasksUnitStart();
    UseCursorHintWindows();
  }
  void TearDown() override {
    TasksUnitStop();
    SwapfileUnitStop();
  }
};
const auto* units = ::testing::AddGlobalTestEnvironment(new TUnits);

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

void Press(WORD vk) {
  Key(vk, false);
  Key(vk, true);
  Pump(50);
}

std::array<int, 3> MouseParams() {
  std::array<int, 3> p{};
  SystemParametersInfoW(SPI_GETMOUSE, 0, p.data(), 0);
  return p;
}

// The cursor hint windows of this thread, top-level or child.
BOOL CALLBACK CountHint(HWND w, LPARAM count) {
  if (dynamic_cast<TfrmCursorHint*>(TWinControl::FromHandle(w))) ++*reinterpret_cast<int*>(count);
  return TRUE;
}
BOOL CALLBACK CountHintsIn(HWND w, LPARAM count) {
  CountHint(w, count);
  EnumChildWindows(w, &CountHint, count);
  return TRUE;
}
int HintWindows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountHintsIn, reinterpret_cast<LPARAM>(&n));
  return n;
}

bool PointerShowing() {
  CURSORINFO info{sizeof info};
  GetCursorInfo(&info);
  return (info.flags & CURSOR_SHOWING) != 0;
}

class TaskPage : public ::testing::Test {
protected:
  void SetUp() override {
    MoveMouseTo({0, 0});
    page = TCustomForm::Create<TTaskDemoPage>(Application);
    page->Show();
    SetForegroundWindow(page->Handle());
    ASSERT_TRUE(WaitUntil([&] { return page->pbView->ViewFocused(); }));
    before = MouseParams();
  }
  void TearDown() override {
    Key(VK_CONTROL, true);
    if (page) TComponent::Free(page);
    Pump(50);
    EXPECT_EQ(MouseParams(), before) << "the logon's mouse settings are as they were";
    EXPECT_TRUE(PointerShowing());
  }
  // Moves the real pointer to a client point of the view.
  void MoveTo(int x, int y) {
    MoveMouseTo(ClientToScreenPoint(page->pbView->Handle(), x, y));
    Pump(30);
  }
  static void MoveMouseTo(POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
  }
  static void Click() {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    Pump(50);
  }
  TDemoTask* Current() { return dynamic_cast<TDemoTask*>(TaskManager->Current()); }
  bool CursorShown() { return Current() && Current()->FCursor->FVisible; }
  std::string Points() { return page->memPoints->Text(); }

  TTaskDemoPage* page = nullptr;
  std::array<int, 3> before{};
};

TEST_F(TaskPage, PicksPointsWithClicksArrowsAndEnter) {
  EXPECT_EQ(page->stStatus->Caption().rfind("Pont megadása", 0), 0u) << page->stStatus->Caption();
  MoveTo(203, 98);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  EXPECT_FALSE(PointerShowing()) << "the crosshair stands in for the pointer";
  // Snapped to a quarter unit (5 pixels): (205, 100) is X 10,25, Y 15.
  ASSERT_TRUE(WaitUntil([&] { return Current()->FCursor->FX == 205 && Current()->FCursor->FY == 100; }))
      << Current()->FCursor->FX << "," << Current()->FCursor->FY;
  Click();
  ASSERT_TRUE(WaitUntil([&] { return !Points().empty(); }));
  EXPECT_EQ(Points(), "P1: X = 10,25  Y = 15,00");
  Press(VK_RIGHT);
  Press(VK_UP);
  Press(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return page->Points().size() == 2; }));
  EXPECT_EQ(Points(), "P1: X = 10,25  Y = 15,00\r\nP2: X = 11,25  Y = 16,00");
  // The crosshair sits on the picture where the point is: red at its centre
  // line, one arm's length away.
  POINT arm = ClientToScreenPoint(page->pbView->Handle(), Current()->FCursor->FX + 8, Current()->FCursor->FY);
  EXPECT_EQ(ScreenPixel(arm.x, arm.y), RGB(200, 0, 0));
}

TEST_F(TaskPage, PeriodStartsAMeasurementThatEscEnds) {
  MoveTo(100, 100);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  Click();
  Press(VK_OEM_PERIOD);
  ASSERT_TRUE(WaitUntil([&] { return Current() && Current()->FLevel == 1; }));
  EXPECT_EQ(page->stStatus->Caption().rfind("Távolságmérés", 0), 0u);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  Press(VK_UP);
  Press(VK_UP);
  Press(VK_UP);
  Press(VK_UP);
  Press(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return Current() && Current()->FLevel == 0; }));
  EXPECT_NE(Points().find("D1: 5,00 (X = 5,00  Y = 15,00 -> X = 8,00  Y = 19,00)"), std::string::npos) << Points();
  Press(VK_OEM_PERIOD);
  ASSERT_TRUE(WaitUntil([&] { return Current() && Current()->FLevel == 1; }));
  Press(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return Current() && Current()->FLevel == 0; }));
  EXPECT_EQ(page->stStatus->Caption().rfind("Pont megadása", 0), 0u);
}

TEST_F(TaskPage, CtrlSwitchesAccelerationOffUntilTheTaskEnds) {
  MoveTo(100, 100);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  Key(VK_CONTROL, false);
  MoveTo(200, 150);
  ASSERT_TRUE(WaitUntil([] { return MouseAccelSwitchedOff(); }));
  EXPECT_EQ(MouseParams(), (std::array<int, 3>{0, 0, 0}));
  // A quarter of the way, and the pointer is brought back onto the cursor;
  // Ctrl with an arrow steps a quarter unit (one snap step).
  EXPECT_EQ(Current()->FCursor->FX, 125);
  uint16_t right = VK_RIGHT;  // as Ctrl+Right comes to the task
  TShiftState ctrl;
  ctrl.Include(ssCtrl);
  Current()->KeyDown(page->pbView, right, ctrl);
  EXPECT_EQ(Current()->FCursor->FX, 130);
  // Ending every task while Ctrl is still held puts the settings back
  // (TearDown checks them after closing the page).
  TaskManager->EndTasks(0);
  EXPECT_FALSE(MouseAccelSwitchedOff());
  EXPECT_EQ(MouseParams(), before);
}

TEST_F(TaskPage, LeavingTheViewHidesTheCrosshairAndShowsThePointer) {
  // Opened with the pointer outside the view: nothing is drawn and the
  // pointer stays.
  EXPECT_FALSE(CursorShown());
  EXPECT_TRUE(PointerShowing());
  MoveTo(100, 100);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  EXPECT_FALSE(PointerShowing());
  MoveMouseTo(ClientToScreenPoint(page->Handle(), 760, 420));
  ASSERT_TRUE(WaitUntil([&] { return !CursorShown(); }));
  EXPECT_TRUE(PointerShowing());
  MoveTo(50, 50);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  TComponent::Free(page);
  page = nullptr;
  EXPECT_TRUE(PointerShowing()) << "destroying a visible cursor shows the pointer again";
}

TEST_F(TaskPage, TheHintShowsThePositionAfterThePauseAndIsFreedWhenItCloses) {
  const DWORD start = GetTickCount();  // the last move, which starts the pause, comes after this
  MoveTo(100, 100);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  TTaskCursor* cursor = Current()->FCursor;
  ASSERT_TRUE(WaitUntil([&] { return cursor->FHint && cursor->FHint->Visible(); }, 4000));
  const DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, 1990u);  // the tick count's own granularity aside
  EXPECT_LE(waited, static_cast<DWORD>(ScaledMs(3500)));
  EXPECT_EQ(cursor->FHint->HintText(), "X = 5,00  Y = 15,00");
  auto* hint = dynamic_cast<TCursorHintWindow*>(cursor->FHint);
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->Form()->Parent(), page) << "a child of the view's form";
  EXPECT_EQ(HintWindows(), 1);
  // Beyond the tolerance of 5 pixels: closed, handed over, and freed.
  MoveTo(130, 100);
  ASSERT_TRUE(WaitUntil([&] { return cursor->FHint == nullptr; }));
  ASSERT_TRUE(WaitUntil([] { return HintWindows() == 0; }));
}

TEST_F(TaskPage, AHintHandedOverToTheMainFormIsFreedThere) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  main->HandleNeeded();
  MoveTo(100, 100);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  TTaskCursor* cursor = Current()->FCursor;
  ASSERT_TRUE(WaitUntil([&] { return cursor->FHint && cursor->FHint->Visible(); }, 4000));
  MoveTo(130, 100);
  ASSERT_TRUE(WaitUntil([&] { return cursor->FHint == nullptr; }));
  ASSERT_TRUE(WaitUntil([] { return HintWindows() == 0; })) << "freed by the main form's receiver";
  TComponent::Free(main);
}

// Runs the thread's queue the way a modal loop of the system does (a menu's,
// a message box's): without the application's message hooks.
void DispatchLikeASystemLoop(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

// Waits as WaitUntil does, but takes the mouse moves off the queue unseen,
// as a menu's loop does while it has the pointer.
bool WaitUntilDroppingMoves(const std::function<bool()>& done) {
  const DWORD end = GetTickCount() + 2000;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    }
    if (done()) return true;
    Sleep(5);
  }
  return false;
}

TEST_F(TaskPage, ThePagesMenuHidesTheCrosshairAndItsHintAndPausesTheTask) {
  TForm* main = nullptr;  // takes the hints handed over
  Application->CreateForm(main);
  main->HandleNeeded();
  ASSERT_EQ(Application->MainForm(), main);
  MoveTo(100, 100);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  TDemoTask* task = Current();
  TTaskCursor* cursor = task->FCursor;
  cursor->FHintDelay = 50;
  auto hintShown = [&] { return cursor->FHint && cursor->FHint->Visible(); };
  MoveTo(120, 100);
  ASSERT_TRUE(WaitUntil(hintShown));
  // The system menu's loop: the pointer is visible over the menu, the hint
  // is handed over and its release message goes past the application.
  page->Perform(WM_ENTERMENULOOP, FALSE, 0);
  DispatchLikeASystemLoop(100);
  EXPECT_FALSE(CursorShown());
  EXPECT_TRUE(PointerShowing());
  EXPECT_EQ(cursor->FHint, nullptr);
  EXPECT_FALSE(task->FActive);
  // The pointer moves on while the menu has it; the click that ends the
  // menu reaches the view without a move before it and picks where it is.
  const POINT to = ClientToScreenPoint(page->pbView->Handle(), 143, 98);
  MoveMouseTo(to);
  ASSERT_TRUE(WaitUntilDroppingMoves([&] {
    POINT p{};
    GetCursorPos(&p);
    return p.x == to.x && p.y == to.y;
  }));
  page->Perform(WM_EXITMENULOOP, FALSE, 0);
  EXPECT_TRUE(task->FActive);
  page->pbView->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(143, 98));
  page->pbView->Perform(WM_LBUTTONUP, 0, MAKELPARAM(143, 98));
  EXPECT_EQ(Points(), "P1: X = 7,25  Y = 15,00");
  // The next move brings the crosshair back; the next hint handed over takes
  // the one left from the menu with it.
  MoveTo(140, 100);
  ASSERT_TRUE(WaitUntil([&] { return CursorShown(); }));
  ASSERT_TRUE(WaitUntil(hintShown));
  MoveMouseTo(ClientToScreenPoint(page->Handle(), 760, 420));  // off the view
  ASSERT_TRUE(WaitUntil([&] { return !CursorShown() && cursor->FHint == nullptr; }));
  EXPECT_TRUE(WaitUntil([] { return HintWindows() == 0; }));
  TComponent::Free(main);
}

TEST_F(TaskPage, AMenuOfALibraryFormDeactivatesTheTaskWhileItIsOpen) {
  auto* form = TCustomForm::Create<TfrmDefault>(Application);
  TTaskObj* task = TaskManager->Current();
  ASSERT_TRUE(task->FActive);
  form->Perform(WM_ENTERMENULOOP, FALSE, 0);
  EXPECT_FALSE(task->FActive);
  form->Perform(WM_EXITMENULOOP, FALSE, 0);
  EXPECT_TRUE(task->FActive);
  TComponent::Free(form);
}

}  // namespace
