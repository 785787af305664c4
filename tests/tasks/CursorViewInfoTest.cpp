// View information: coordinate states from the swap file, the window test,
// the keyboard state and the mouse settings read back from the registry.

#include "TaskTestSupport.h"
#include "tasks/CursorInput.h"

namespace tasktest {
namespace {

class ViewInfo : public TaskFixture {};

TEST_F(ViewInfo, SelectStateSwitchesAndReportsThePreviousState) {
  AddState(1, 1, 2, 2);  // 3
  AddState(3, 3, 4, 4);  // 4
  AddState(5, 5, 6, 6);  // 5
  view->ApplyState(5);
  EXPECT_EQ(view->SelectState(2), 5);
  EXPECT_EQ(view->StateNo, 2);
  EXPECT_EQ(view->State.HMax, 20);
  EXPECT_EQ(view->SelectState(5), 2);
  EXPECT_EQ(view->State.HMin, 5);
  // Outside 1..Count nothing changes, not even the recomputations.
  const int loads = view->Loads;
  view->ApplyState(0);
  view->ApplyState(6);
  EXPECT_EQ(view->StateNo, 5);
  EXPECT_EQ(view->Loads, loads);
}

TEST_F(ViewInfo, InViewIncludesTheEdges) {
  view->ApplyState(2);
  EXPECT_TRUE(view->InView(0, 0));
  EXPECT_TRUE(view->InView(20, 10));
  EXPECT_FALSE(view->InView(20.000001, 5));
  EXPECT_FALSE(view->InView(5, -0.000001));
}

TEST_F(ViewInfo, AViewWithOneStateKeepsItDuringConversions) {
  TSwapFile single(static_cast<int32_t>(sizeof(TViewState)));
  TViewState s{{0, 0}, 0, 0, 5, 5};
  single.AppendRec(&s);
  TTestView v(&single);
  v.ApplyState(1);
  EXPECT_EQ(v.SelectState(2), 1);
  EXPECT_EQ(v.StateNo, 1);
}

TEST_F(ViewInfo, ShiftStateFromTheKeys) {
  platform.KeysDown = {{0x11, true}, {0x12, true}};
  EXPECT_EQ(GetShiftState().Bits(), 6u);
  platform.KeysDown = {{0x10, true}};
  EXPECT_EQ(GetShiftState().Bits(), 1u);
}

TEST_F(ViewInfo, RestoringReadsTheUsersSettingsWithDefaults) {
  const struct {
    const char* name;
    bool keyPresent;
    std::map<std::string, std::string> values;
    int want[3];
  } cases[] = {
      {"no key", false, {}, {4, 0, 1}},
      {"values", true, {{"MouseThreshold1", "8"}, {"MouseThreshold2", "12"}, {"MouseSpeed", "2"}}, {8, 12, 2}},
      {"bad values", true, {{"MouseThreshold1", "x"}, {"MouseThreshold2", "3 "}, {"MouseSpeed", ""}}, {4, 0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform.MouseKeyPresent = c.keyPresent;
    platform.MouseRegistry = c.values;
    MouseAccelOff();
    EXPECT_EQ(platform.Mouse[2], 0);
    MouseAccelRestore();
    EXPECT_EQ(platform.Mouse[0], c.want[0]);
    EXPECT_EQ(platform.Mouse[1], c.want[1]);
    EXPECT_EQ(platform.Mouse[2], c.want[2]);
    // Only once: a second restore leaves the settings alone.
    platform.MouseWrites = 0;
    MouseAccelRestore();
    EXPECT_EQ(platform.MouseWrites, 0);
  }
}

TEST_F(ViewInfo, PendingMoveReportsHowFarThePointerWent) {
  TPixelPoint d{9, 9};
  EXPECT_FALSE(MouseMovePending(d));
  EXPECT_EQ(d, (TPixelPoint{0, 0}));
  platform.MoveQueued = true;
  platform.Pointer = {50, 40};
  platform.LastMessage = {45, 42};
  EXPECT_TRUE(MouseMovePending(d));
  EXPECT_EQ(d, (TPixelPoint{5, -2}));
  platform.LastMessage = {50, 40};
  EXPECT_FALSE(MouseMovePending(d));
}

}  // namespace
}  // namespace tasktest
