// Keyboard handling of tasks: characters by option bits, and the arrow,
// Home and End steps with snapping, clipping and precision.

#include <algorithm>
#include <cmath>
#include <iterator>

#include "TaskTestSupport.h"

namespace tasktest {
namespace {

struct TCharCase {
  const char* name;
  char key;
  TShiftState shift;
  uint8_t options;
  const char* log;  // what the task was told
  bool consumed;
};

class TaskKeys : public TaskFixture {};

TEST_F(TaskKeys, CharactersFollowTheOptionBits) {
  const TCharCase cases[] = {
      {"Enter accepts", 13, {}, 0x11, "t.Accept", true},
      {"Space accepts", 32, {}, 0x11, "t.Accept", true},
      {"Shift+Enter accepts", 13, {ssShift}, 0x11, "t.Accept", true},
      {"Alt+Enter is ignored", 13, {ssAlt}, 0x11, "", false},
      {"Esc cancels without ending", 27, {}, 0x11, "t.Cancel", true},
      {"Esc ends with 0x02", 27, {}, 0x13, "t.Cancel t.Deactivate t.Deactivate", true},
      {"Esc is left without 0x01", 27, {}, 0x10, "", false},
      {"period needs 0x04", 46, {}, 0x11, "", false},
      {"period goes to DotKey", 46, {}, 0x15, "t.DotKey", true},
      {"Ctrl+A needs 0x08", 1, {ssCtrl}, 0x11, "", false},
      {"Ctrl+A goes to CtrlAKey", 1, {ssCtrl}, 0x19, "t.CtrlAKey", true},
      {"Ctrl+Enter is not handled", 13, {ssCtrl}, 0x19, "", false},
      {"other characters pass", 'x', {}, 0x1F, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTaskManager manager;
    auto* t = new TRecTask("t", 0);
    manager.Start(t);
    t->FOptions = c.options;
    TakeLog();
    char key = c.key;
    t->KeyPress(nullptr, key, c.shift);
    EXPECT_EQ(TakeLog(), c.log);
    EXPECT_EQ(key == 0, c.consumed);
  }
}

TEST_F(TaskKeys, EnterRecordsTheDownPositionAndTheKeyboardOrigin) {
  TTaskManager manager;
  auto* t = new TRecTask("t", 0);
  manager.Start(t);
  t->FCursor->FPos = TWorldPoint::Of(1, 2, 3);
  t->FByMouse = true;
  char key = 13;
  t->KeyPress(nullptr, key, {});
  EXPECT_TRUE(Same(t->FCursor->FDownPos, TWorldPoint::Of(1, 2, 3)));
  EXPECT_FALSE(t->FByMouse);
  t->Click(nullptr);
  EXPECT_TRUE(t->FByMouse);
}

TEST_F(TaskKeys, RightClickEndsOnlyWithItsBit) {
  TTaskManager manager;
  auto* t = new TRecTask("t", 0);
  manager.Start(t);
  t->MouseClick(mbRight, 0, 0, 0);
  EXPECT_EQ(manager.FCurrent, t);
  t->FOptions |= TTaskObj::optRightClickEnds;
  t->MouseClick(mbLeft, 0, 0, 0);
  EXPECT_EQ(manager.FCurrent, t);
  t->MouseClick(mbRight, 0, 0, 0);
  EXPECT_NE(manager.FCurrent, t);
}

// Steps: a task with the test view, its cursor shown at world (10, 5, 0).
class TaskSteps : public TaskFixture {
protected:
  void SetUp() override {
    TaskFixture::SetUp();
    manager = std::make_unique<TTaskManager>();
    task = new TRecTask("t", 0);
    task->Quiet = true;
    provider = NewProvider();
    task->SetViewInfo(provider);
    manager->Start(task);
    task->SetRefCursor(nullptr);  // the steps start from the main cursor
    task->FCursor->FMoveMouse = false;
    task->FCursor->SetWorldPos(TWorldPoint::Of(10, 5, 0));
    task->FCursor->FShowCount = 1;
    task->FCursor->FVisible = true;
  }
  void TearDown() override {
    manager.reset();
    TaskFixture::TearDown();
  }
  TWorldPoint Press(uint16_t vk, TShiftState shift = {}) {
    uint16_t key = vk;
    task->KeyDown(nullptr, key, shift);
    EXPECT_EQ(key, 0) << "step keys are consumed";
    return task->FCursor->FPos;
  }

  std::unique_ptr<TTaskManager> manager;
  TRecTask* task = nullptr;
  TTestProvider* provider = nullptr;
};

TEST_F(TaskSteps, ArrowsHomeAndEndStepAlongTheViewsDirections) {
  EXPECT_TRUE(Same(Press(39), TWorldPoint::Of(11, 5, 0)));   // Right
  EXPECT_TRUE(Same(Press(38), TWorldPoint::Of(11, 6, 0)));   // Up
  EXPECT_TRUE(Same(Press(37), TWorldPoint::Of(10, 6, 0)));   // Left
  EXPECT_TRUE(Same(Press(40), TWorldPoint::Of(10, 5, 0)));   // Down
  EXPECT_TRUE(Same(Press(36), TWorldPoint::Of(10, 5, 1)));   // Home
  EXPECT_TRUE(Same(Press(35), TWorldPoint::Of(10, 5, 0)));   // End
  EXPECT_EQ(view->StateNo, 1) << "the view is back in its own state";
  EXPECT_EQ(task->FCursor->FX, 100);
  EXPECT_EQ(task->FCursor->FY, 50);
}

TEST_F(TaskSteps, CtrlStepsByTheFactorAndSnaps) {
  provider->Rec.Steps[0] = 2.0;
  task->FCursor->FSnapStep = 0.1;
  EXPECT_NEAR(Press(39, {ssCtrl}).At(1), 10.2, 1e-9);
  task->FCursor->FPrecision = false;
  EXPECT_NEAR(Press(39, {ssCtrl}).At(1), 12.2, 1e-9);
}

TEST_F(TaskSteps, AStepOutOfTheCanvasKeepsThatCoordinateOnly) {
  task->FCursor->SetWorldPos(TWorldPoint::Of(19.5, 5, 0));
  provider->Rec.Steps[0] = provider->Rec.Steps[1] = 1.0;
  platform.Clip = {0, 0, 200, 100};
  // Right lands on x = 205 (outside): the horizontal coordinate stays.
  EXPECT_TRUE(Same(Press(39), TWorldPoint::Of(19.5, 5, 0)));
  // A diagonal move is made of two keys; the vertical one still applies.
  EXPECT_TRUE(Same(Press(38), TWorldPoint::Of(19.5, 6, 0)));
}

TEST_F(TaskSteps, StepsAndFactorsThatAreNotFiniteMoveNothing) {
  const double inf = HUGE_VAL, nan = std::nan("");
  const struct {
    uint16_t key;
    TShiftState shift;
    double steps[3], factor;
    TWorldPoint want;
  } cases[] = {
      {36, {}, {1, 1, nan}, 0.1, TWorldPoint::Of(10, 5, 0)},     // Home: no clipping to save it
      {35, {}, {1, 1, inf}, 0.1, TWorldPoint::Of(10, 5, 0)},     // End
      {39, {}, {1, inf, 1}, 0.1, TWorldPoint::Of(11, 5, 0)},     // Right: 0 x inf vertically
      {36, {ssCtrl}, {1, 1, 1}, nan, TWorldPoint::Of(10, 5, 0)},
      {38, {ssCtrl}, {1, 1, 1}, inf, TWorldPoint::Of(10, 5, 0)},
  };
  platform.Clip = {-50, -50, 250, 150};  // any pixel a converted NaN may give stays on the canvas
  for (const auto& c : cases) {
    task->FCursor->SetWorldPos(TWorldPoint::Of(10, 5, 0));
    std::copy(std::begin(c.steps), std::end(c.steps), provider->Rec.Steps);
    provider->Rec.Factor = c.factor;
    const TWorldPoint p = Press(c.key, c.shift);
    EXPECT_TRUE(Same(p, c.want)) << "key " << c.key << " gave " << p.At(1) << "," << p.At(2) << "," << p.At(3);
  }
}

TEST_F(TaskSteps, NothingMovesWhenHiddenWithoutAViewOrInAFlatView) {
  task->FCursor->FShowCount = 0;
  task->FCursor->FVisible = false;
  EXPECT_TRUE(Same(Press(39), TWorldPoint::Of(10, 5, 0)));
  task->FCursor->FShowCount = 1;
  task->FCursor->FVisible = true;
  provider->Rec.Kind = 3;
  EXPECT_TRUE(Same(Press(36), TWorldPoint::Of(10, 5, 0)));
  provider->Has = false;
  EXPECT_TRUE(Same(Press(39), TWorldPoint::Of(10, 5, 0)));
  uint16_t other = 'A';
  task->KeyDown(nullptr, other, {});
  EXPECT_EQ(other, 'A');
}

TEST_F(TaskSteps, TheSecondCursorIsTheBaseWhenThereIsOne) {
  task->SetRefCursor(new TTaskCursor(task, nullptr));
  task->FRefCursor->FPos = TWorldPoint::Of(2, 2, 0);
  EXPECT_TRUE(Same(Press(39), TWorldPoint::Of(3, 2, 0)));
}

}  // namespace
}  // namespace tasktest
