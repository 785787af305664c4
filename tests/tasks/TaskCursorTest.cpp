// The task cursor's world logic: snapping, mouse tracking in its four ways,
// the pull back into the window, precision mode and mouse acceleration,
// picking up the pointer when shown, and what stays sound when a host
// handler fails or a provider or record is incomplete.

#include <stdexcept>

#include "TaskTestSupport.h"
#include "tasks/CursorInput.h"

namespace tasktest {
namespace {

TEST(Snapping, RoundsHalvesToEvenAndLeavesDegenerateStepsAlone) {
  const double inf = HUGE_VAL, nan = std::nan("");
  const struct {
    double x, step, want;
  } cases[] = {
      {1.25, 0.5, 1.0}, {1.75, 0.5, 2.0}, {-1.25, 0.5, -1.0}, {0.26, 0.5, 0.5},
      {3.7, 0.0, 3.7},  {3.7, inf, 3.7},  {3.7, -inf, 3.7},   {1e300, 1e-300, 1e300},
  };
  for (const auto& c : cases) EXPECT_EQ(Snapped(c.x, c.step), c.want) << c.x << " by " << c.step;
  EXPECT_EQ(Snapped(3.7, nan), 3.7);
  EXPECT_EQ(Snapped(9007199254740994.0, 1.0), 9007199254740994.0);
}

// A shown, linked task cursor over the test view, tracking in view pixels.
class Tracking : public TaskFixture {
protected:
  void SetUp() override {
    TaskFixture::SetUp();
    manager = std::make_unique<TTaskManager>();
    task = new TRecTask("t", 0);
    task->Quiet = true;
    provider = NewProvider();
    task->SetViewInfo(provider);
    manager->Start(task);
    cursor = task->FCursor;
    cursor->FMoveMouse = false;
    cursor->SetWorldPos(TWorldPoint::Of(10, 5, 7));
    cursor->SetShown(true);
    ASSERT_TRUE(cursor->FVisible);
    TakeLog();
  }
  void TearDown() override {
    manager.reset();
    TaskFixture::TearDown();
  }
  std::unique_ptr<TTaskManager> manager;
  TRecTask* task = nullptr;
  TTestProvider* provider = nullptr;
  TTaskCursor* cursor = nullptr;
};

TEST_F(Tracking, UniformGridSnapsAndNeverTouchesDepth) {
  EXPECT_TRUE(cursor->TrackMouse(113, 37, {}, true));  // 11.3, 6.3 -> 11.5, 6.5
  EXPECT_TRUE(Same(cursor->FPos, TWorldPoint::Of(11.5, 6.5, 7)));
  EXPECT_TRUE(Same(cursor->FLastPoint, cursor->FPos));
  EXPECT_EQ(cursor->FX, 115);
  EXPECT_EQ(cursor->FY, 35);
  // Exactly on the cursor's own screen point: no change.
  EXPECT_FALSE(cursor->TrackMouse(115, 35, {}, true));
  EXPECT_EQ(view->StateNo, 1);
}

TEST_F(Tracking, ApplyFalseOnlyAnswers) {
  platform.MouseWrites = 0;
  const TWorldPoint before = cursor->FPos;
  EXPECT_TRUE(cursor->TrackMouse(150, 20, {ssCtrl}, false));
  EXPECT_TRUE(Same(cursor->FPos, before));
  EXPECT_EQ(TakeLog(), "");
  EXPECT_EQ(platform.MouseWrites, 0);
  EXPECT_EQ(platform.PointerMoves, 0);
}

TEST_F(Tracking, APointOutsideIsPulledInOneStepOnly) {
  cursor->FSnapStep = 1.0;
  // Two steps right of the right edge (h = 22) ends one step outside.
  EXPECT_TRUE(cursor->TrackMouse(220, 50, {}, true));
  EXPECT_EQ(cursor->FPos.At(1), 21.0);
  // One step above the top edge comes back onto it.
  EXPECT_TRUE(cursor->TrackMouse(100, -10, {}, true));
  EXPECT_EQ(cursor->FPos.At(2), 10.0);
}

TEST_F(Tracking, StepsAndFactorsThatAreNotFiniteMoveNothing) {
  const double inf = HUGE_VAL, nan = std::nan("");
  const struct {
    bool viewGrid;
    double snap, stepV, factor;
    TShiftState shift;
    int32_t x, y;
    double wantH, wantV;
  } cases[] = {
      {false, inf, 1.0, 0.1, {}, 220, 50, 22, 5},       // no pull by an endless uniform step
      {true, 0.5, nan, 0.1, {}, 100, -10, 10, 11},      // nor by a NaN view step
      {true, 0.5, 1.0, nan, {ssCtrl}, 230, 50, 10, 5},  // precision by a NaN factor
      {false, 0.5, 1.0, inf, {ssCtrl}, 230, 50, 10, 5},
  };
  for (const auto& c : cases) {
    cursor->FSnapStep = 0.5;
    cursor->SetWorldPos(TWorldPoint::Of(10, 5, 7));
    cursor->FSnapStep = c.snap;
    cursor->FUseViewGrid = provider->Rec.GridMode = c.viewGrid;
    provider->Rec.Steps[1] = c.stepV;
    provider->Rec.Factor = c.factor;
    cursor->TrackMouse(c.x, c.y, c.shift, true);
    EXPECT_TRUE(Same(cursor->FPos, TWorldPoint::Of(c.wantH, c.wantV, 7)))
        << c.x << "," << c.y << " gave " << cursor->FPos.At(1) << "," << cursor->FPos.At(2);
  }
}

TEST_F(Tracking, FlatViewsAreNotSnappedAndKeepTheLastPoint) {
  provider->Rec.Kind = 3;
  provider->Rec.GridMode = true;
  cursor->FUseViewGrid = true;
  cursor->FLastPoint = TWorldPoint::Of(1, 1, 1);
  EXPECT_TRUE(cursor->TrackMouse(113, 37, {}, true));
  EXPECT_NEAR(cursor->FPos.At(1), 11.3, 1e-9);
  EXPECT_NEAR(cursor->FPos.At(2), 6.3, 1e-9);
  EXPECT_TRUE(Same(cursor->FLastPoint, TWorldPoint::Of(1, 1, 1)));
}

TEST_F(Tracking, ViewGridPrecisionMovesATenthAndBringsThePointerBack) {
  provider->Rec.GridMode = true;
  provider->Rec.Steps[0] = provider->Rec.Steps[1] = 1.0;
  cursor->FUseViewGrid = true;
  cursor->FMoveMouse = true;
  // Without Ctrl: the per-coordinate grid of 1.
  EXPECT_TRUE(cursor->TrackMouse(126, 50, {}, true));
  EXPECT_EQ(cursor->FPos.At(1), 13.0);
  EXPECT_EQ(platform.PointerMoves, 0);
  // With Ctrl: a tenth of the way on a grid of 0.1, and the pointer is put
  // back onto the cursor (view (131, 50) is screen (231, 100)).
  EXPECT_TRUE(cursor->TrackMouse(230, 50, {ssCtrl}, true));
  EXPECT_NEAR(cursor->FPos.At(1), 13.0 + 1.0, 1e-9);
  EXPECT_EQ(platform.PointerMoves, 1);
  EXPECT_EQ(platform.Pointer, (TPixelPoint{240, 100}));
  EXPECT_TRUE(MouseAccelSwitchedOff());
  EXPECT_EQ(platform.Mouse[2], 0);
  // A Ctrl-less move restores acceleration from the user's settings.
  cursor->TrackMouse(100, 50, {}, true);
  EXPECT_FALSE(MouseAccelSwitchedOff());
  EXPECT_EQ(platform.Mouse[0], 6);
  EXPECT_EQ(platform.Mouse[2], 1);
}

TEST_F(Tracking, OrdinaryMovesDoNotRewriteTheMouseSettings) {
  platform.MouseWrites = 0;
  for (int x = 0; x < 50; x += 10) cursor->TrackMouse(x, 50, {}, true);
  EXPECT_EQ(platform.MouseWrites, 0);
}

TEST_F(Tracking, AccelerationComesBackWhenTheTaskEndsWithCtrlHeld) {
  cursor->TrackMouse(150, 50, {ssCtrl}, true);
  ASSERT_EQ(platform.Mouse[2], 0);
  TTaskObj::Free(task);
  EXPECT_FALSE(MouseAccelSwitchedOff());
  EXPECT_EQ(platform.Mouse[0], 6);
  EXPECT_EQ(platform.Mouse[1], 10);
  EXPECT_EQ(platform.Mouse[2], 1);
}

TEST_F(Tracking, AccelerationComesBackWhenCtrlIsReleasedTheCursorHidesOrTheHostLeaves) {
  cursor->TrackMouse(150, 50, {ssCtrl}, true);
  uint16_t key = 0x11;
  task->KeyUp(nullptr, key, {ssCtrl, ssShift});  // another key's release, Ctrl still held
  EXPECT_TRUE(MouseAccelSwitchedOff());
  task->KeyUp(nullptr, key, {});  // Ctrl released, the mouse not moved since
  EXPECT_FALSE(MouseAccelSwitchedOff());
  EXPECT_EQ(platform.Mouse[2], 1);
  cursor->TrackMouse(140, 50, {ssCtrl}, true);
  cursor->SetShown(false);
  EXPECT_FALSE(MouseAccelSwitchedOff());
  cursor->SetShown(true);
  cursor->TrackMouse(120, 50, {ssCtrl}, true);
  ASSERT_TRUE(MouseAccelSwitchedOff());
  manager->HostDeactivate();
  EXPECT_FALSE(MouseAccelSwitchedOff());
}

TEST_F(Tracking, SameWorldAndScreenPositionRaisesNoMove) {
  TakeLog();
  task->Quiet = false;
  cursor->SetWorldPos(cursor->FPos);
  EXPECT_EQ(TakeLog(), "");
  cursor->SetWorldPos(TWorldPoint::Of(2, 2, 7));
  EXPECT_EQ(TakeLog().rfind("t.Moved(2,2)", 0), 0u);
}

TEST_F(Tracking, AHandlerFailureLeavesTrackingAliveAndTheViewRestored) {
  task->ThrowOnMove = true;
  const int counter = cursor->FShowCount;
  EXPECT_THROW(task->MouseMove(nullptr, {}, 150, 20), std::runtime_error);
  EXPECT_TRUE(cursor->FTrackReady);
  EXPECT_TRUE(task->FMoveEnabled);
  EXPECT_TRUE(task->FLinked);
  EXPECT_EQ(view->StateNo, 1);
  EXPECT_EQ(cursor->FShowCount, counter);
  EXPECT_TRUE(cursor->FVisible);
  task->ThrowOnMove = false;
  EXPECT_TRUE(cursor->TrackMouse(30, 20, {}, true));
}

TEST_F(Tracking, ATaskEndingInItsMoveHandlerIsFreedAfterTheMove) {
  task->EndOnMove = true;
  task->MouseMove(nullptr, {}, 150, 20);
  EXPECT_EQ(manager->FCurrent->FLevel, -1);
  EXPECT_EQ(platform.PointerCounter, 0);
}

TEST_F(Tracking, ShowingPicksUpThePointerOnlyOverTheFocusedView) {
  TTaskCursor* c = new TTaskCursor(task, provider);
  c->FMoveMouse = true;
  c->FSnapStep = 0.5;
  const int pointer = platform.PointerCounter;
  // Outside the view: dropped, and the next request likewise.
  platform.Pointer = {50, 20};
  c->SetShown(true);
  c->SetShown(true);
  EXPECT_FALSE(c->FVisible);
  EXPECT_EQ(c->FShowCount, 0);
  // Inside but unfocused: dropped.
  platform.Pointer = {130, 80};
  control.Focused = false;
  c->SetShown(true);
  EXPECT_FALSE(c->FVisible);
  // Inside and focused: shown where the pointer is.
  control.Focused = true;
  platform.Pointer = {133, 78};
  c->SetShown(true);
  EXPECT_TRUE(c->FVisible);
  // At the pointer, snapped: (3.3, 7.2) is (3.5, 7).
  EXPECT_TRUE(Same(c->FPos, TWorldPoint::Of(3.5, 7, 0)));
  EXPECT_EQ(c->FX, 35);
  EXPECT_EQ(c->FY, 30);
  EXPECT_EQ(platform.PointerCounter, pointer - 1);
  delete c;
  EXPECT_EQ(platform.PointerCounter, pointer);
}

TEST_F(Tracking, ARestoringShowIsNeverDroppedByThePickUpRule) {
  cursor->FMoveMouse = true;
  platform.Pointer = {-500, -500};  // far outside the view
  const int pointer = platform.PointerCounter;
  cursor->SetKeepSystemCursor(true);
  EXPECT_TRUE(cursor->FVisible);
  EXPECT_EQ(platform.PointerCounter, pointer + 1);
  cursor->SetKeepSystemCursor(false);
  EXPECT_TRUE(cursor->FVisible);
  EXPECT_EQ(platform.PointerCounter, pointer);
  cursor->SetX(cursor->FX + 3);
  EXPECT_TRUE(cursor->FVisible);
  cursor->FBuffered = true;
  cursor->MoveTo(TWorldPoint::Of(4, 4, 7));
  EXPECT_TRUE(cursor->FVisible);
  EXPECT_EQ(cursor->FShowCount, 1);
}

TEST_F(Tracking, ReplacingTheProviderKeepsTheOldOneUntilBothCursorsSwitched) {
  class TWatched : public TTestProvider {
  public:
    ~TWatched() override { Log().push_back("provider.freed"); }
  };
  auto* watched = new TWatched;
  watched->Rec = provider->Rec;
  task->SetViewInfo(watched);  // frees the first provider
  TakeLog();
  task->SetViewInfo(watched);  // the same object: nothing happens
  EXPECT_EQ(TakeLog(), "");
  EXPECT_EQ(task->FViewInfo, watched);
  EXPECT_TRUE(task->HasView());
  auto* next = NewProvider();
  next->Rec.SnapStep = 0.25;
  task->SetViewInfo(next);
  EXPECT_EQ(TakeLog(), "provider.freed");
  EXPECT_EQ(cursor->FViewInfo, next);
  EXPECT_EQ(task->FRefCursor->FViewInfo, next);
  EXPECT_EQ(cursor->FSnapStep, 0.25);
}

TEST_F(Tracking, IncompleteRecordsCountAsNoView) {
  const TCursorViewRec good = provider->Rec;
  using TBreak = void (*)(TCursorViewRec&);
  const TBreak broken[] = {
      [](TCursorViewRec& r) { r.Control = nullptr; }, [](TCursorViewRec& r) { r.View = nullptr; },
      [](TCursorViewRec& r) { r.HorzCoord = 0; },     [](TCursorViewRec& r) { r.VertCoord = 4; },
      [](TCursorViewRec& r) { r.DepthCoord = -1; },
  };
  for (auto breakIt : broken) {
    provider->Rec = good;
    breakIt(provider->Rec);
    EXPECT_FALSE(cursor->HasView());
    EXPECT_FALSE(cursor->TrackMouse(10, 10, {}, true));
    uint16_t key = 39;
    task->KeyDown(nullptr, key, {});
    cursor->SetWorldPos(TWorldPoint::Of(1, 1, 1));
    EXPECT_TRUE(Same(cursor->FPos, TWorldPoint::Of(10, 5, 7)));
    EXPECT_EQ(cursor->PaintMode(), 1);
  }
}

TEST_F(Tracking, TheDefaultProviderReportsNoView) {
  TTaskManager m;
  auto* plain = new TRecTask("plain", 0);
  m.Start(plain);
  EXPECT_FALSE(plain->HasView());
  EXPECT_EQ(plain->ViewControl(), nullptr);
  EXPECT_FALSE(plain->FCursor->TrackMouse(5, 5, {}, true));
  EXPECT_FALSE(plain->FCursor->IsInView(1, 1));
}

TEST_F(Tracking, WithoutASecondCursorEverySecondCursorStepIsSkipped) {
  task->SetRefCursor(nullptr);
  task->MouseMove(nullptr, {}, 60, 60);
  task->LinkCursors(false);
  task->LinkCursors(true);
  char key = 13;
  task->KeyPress(nullptr, key, {});
  task->MouseDown(nullptr, mbLeft, {}, 0, 0);
  task->MouseUp(nullptr, mbLeft, {}, 0, 0);
  cursor->SetShown(false);
  EXPECT_FALSE(cursor->FVisible);
}

TEST_F(Tracking, TheHintIsHandedToTheMainFormOrClosedWithoutOne) {
  cursor->FHintEnabled = true;
  cursor->FOnGetHint = TOwnerDrawCursor::TGetHintEvent();
  cursor->HintTimerTick(nullptr);
  ASSERT_NE(cursor->FHint, nullptr);
  TakeLog();
  cursor->HideHint();
  EXPECT_EQ(TakeLog(), "hint.hide hint.handover");
  EXPECT_EQ(cursor->FHint, nullptr);
  platform.HasMainForm = false;
  cursor->HintTimerTick(nullptr);
  ASSERT_NE(cursor->FHint, nullptr);
  TakeLog();
  cursor->HideHint();
  EXPECT_EQ(TakeLog(), "hint.hide hint.close");
}

}  // namespace
}  // namespace tasktest
