// The owner-drawn cursor: counted visibility, the two painting schemes and
// their call orders, the system pointer, and the hint window's pause,
// placement and tolerance.

#include "TaskTestSupport.h"
#include "tasks/OwnerDrawCursor.h"

namespace tasktest {
namespace {

// A cursor whose every step lands in the log.
class TLoggedCursor : public TOwnerDrawCursor {
public:
  TLoggedCursor() : TOwnerDrawCursor(0) {
    FOnDraw = TDrawEvent::Of<&TLoggedCursor::OnDraw>(this);
    FOnShowChange = TNotifyEvent::Of<&TLoggedCursor::OnShow>(this);
    FOnCreateHint = TNotifyEvent::Of<&TLoggedCursor::OnCreateHint>(this);
    FOnGetHint = TGetHintEvent::Of<&TLoggedCursor::OnGetHint>(this);
  }
  ~TLoggedCursor() override { Close(); }
  void OnDraw(bool visible, int32_t x, int32_t y, int32_t) {
    Log().push_back("draw" + std::string(visible ? "+" : "-") + std::to_string(x) + "," + std::to_string(y));
  }
  void OnShow(TObject*) { Log().push_back(FVisible ? "shown" : "hidden"); }
  void OnCreateHint(TObject*) {
    auto* h = new TFakeHint;
    h->ParentRect = {0, 0, 300, 200};
    FHint = h;
  }
  void OnGetHint(std::string& text) { text = HintText; }
  void GetBounds(TPixelRect& r) override { r = {FX - 5, FY - 5, FX + 6, FY + 6}; }
  void SaveBackground(const TPixelRect& r) override { Log().push_back("save" + Rect(r)); }
  void FlushRect(const TPixelRect& r) override { Log().push_back("flush" + Rect(r)); }
  void RestoreBackground(const TPixelRect& r) override { Log().push_back("restore" + Rect(r)); }
  static std::string Rect(const TPixelRect& r) {
    return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom) + ")";
  }
  std::string HintText = "x: 1";
};

class OwnerDrawn : public TaskFixture {};

TEST_F(OwnerDrawn, VisibilityIsCountedAndPaintLockOnlyCounts) {
  TLoggedCursor c;
  c.SetShown(true);
  c.SetShown(true);
  c.SetShown(false);
  EXPECT_TRUE(c.FVisible);
  c.SetShown(false);
  EXPECT_FALSE(c.FVisible);
  c.SetShown(false);
  EXPECT_EQ(c.FShowCount, -1);
  c.SetShown(true);
  EXPECT_FALSE(c.FVisible);
  EXPECT_EQ(c.FShowCount, 0);
  TakeLog();
  c.FPaintLocked = true;
  c.SetShown(true);
  EXPECT_EQ(c.FShowCount, 1);
  EXPECT_EQ(TakeLog(), "");
  c.FPaintLocked = false;
  c.SetShown(true);
  EXPECT_EQ(TakeLog(), "shown pointer.hide draw+0,0");
}

TEST_F(OwnerDrawn, DrawUndrawMoveRedrawsWithoutTouchingThePointer) {
  TLoggedCursor c;
  c.SetShown(true);
  TakeLog();
  c.SetPos({10, 20});
  EXPECT_EQ(TakeLog(), "draw-0,0 hidden shown draw+10,20");
  c.SetShown(false);
  EXPECT_EQ(TakeLog(), "draw-10,20 hidden pointer.show");
}

TEST_F(OwnerDrawn, BufferedMoveRepaintsTheUnionInOnePass) {
  TLoggedCursor c;
  c.FBuffered = true;
  c.SetShown(true);
  EXPECT_EQ(TakeLog(), "shown pointer.hide save(-5,-5,6,6) draw+0,0 flush(-5,-5,6,6)");
  c.SetPos({10, 20});
  EXPECT_EQ(TakeLog(), "shown save(-5,-5,16,26) draw+10,20 flush(-5,-5,16,26)");
  c.SetShown(false);
  EXPECT_EQ(TakeLog(), "restore(5,15,16,26) hidden pointer.show");
}

TEST_F(OwnerDrawn, DestroyingAVisibleCursorRemovesItAndShowsThePointer) {
  {
    TLoggedCursor c;
    c.SetShown(true);
    EXPECT_EQ(platform.PointerCounter, -1);
    TakeLog();
  }
  EXPECT_EQ(TakeLog(), "draw-0,0 hidden pointer.show");
  EXPECT_EQ(platform.PointerCounter, 0);
}

TEST_F(OwnerDrawn, KeepingTheSystemPointerLeavesItsCounterAlone) {
  TLoggedCursor c;
  c.SetKeepSystemCursor(true);
  c.SetShown(true);
  c.SetShown(false);
  EXPECT_EQ(platform.PointerCounter, 0);
  c.SetShown(true);
  c.SetKeepSystemCursor(false);  // now the cursor hides the pointer
  EXPECT_EQ(platform.PointerCounter, -1);
  c.SetKeepSystemCursor(true);
  EXPECT_EQ(platform.PointerCounter, 0);
}

TEST_F(OwnerDrawn, TheHintWaitsForThePauseAndAppearsWhileVisible) {
  TLoggedCursor c;
  c.FHintEnabled = true;
  c.SetPos({100, 100});
  EXPECT_TRUE(c.HintTimer()->Enabled());
  EXPECT_EQ(c.HintTimer()->Interval(), 2000u);
  c.HintTimerTick(nullptr);  // invisible: nothing, the timer keeps running
  EXPECT_EQ(c.FHint, nullptr);
  EXPECT_TRUE(c.HintTimer()->Enabled());
  c.SetShown(true);
  c.HintTimerTick(nullptr);
  ASSERT_NE(c.FHint, nullptr);
  EXPECT_TRUE(c.FHint->Visible());
  EXPECT_FALSE(c.HintTimer()->Enabled());
  EXPECT_EQ(c.FHint->HintText(), "x: 1");
}

TEST_F(OwnerDrawn, TheHintStaysWithinToleranceAndClosesBeyondIt) {
  TLoggedCursor c;
  c.FHintTolerance = 15;
  c.FHintEnabled = true;
  c.SetShown(true);
  c.SetPos({100, 100});
  platform.Pointer = {280, 180};  // the hint lands away from the cursor
  c.HintTimerTick(nullptr);
  ASSERT_NE(c.FHint, nullptr);
  c.SetPos({115, 85});
  EXPECT_NE(c.FHint, nullptr);
  c.SetPos({116, 100});
  EXPECT_EQ(c.FHint, nullptr);
  EXPECT_TRUE(c.HintTimer()->Enabled()) << "the move that closed the hint starts a new pause";
}

TEST_F(OwnerDrawn, TheHintClosesWhenTheCursorMovesOntoIt) {
  TLoggedCursor c;
  c.FHintEnabled = true;
  c.SetShown(true);
  c.SetPos({100, 100});
  platform.Pointer = {100, 100};
  c.HintTimerTick(nullptr);
  ASSERT_NE(c.FHint, nullptr);
  const TPixelRect b = c.FHint->Bounds();
  c.SetPos({b.Left + 1, b.Top + 1});
  EXPECT_EQ(c.FHint, nullptr);
}

TEST_F(OwnerDrawn, PlacementAboveBelowAndAtTheParentsEdges) {
  TLoggedCursor c;
  c.FHintEnabled = true;
  c.SetShown(true);
  c.HintTimerTick(nullptr);
  ASSERT_NE(c.FHint, nullptr);
  const int32_t w = c.FHint->Bounds().Width(), h = c.FHint->Bounds().Height();
  platform.Pointer = {100, 100};
  c.PlaceHint();
  EXPECT_EQ(c.FHint->Bounds(), (TPixelRect{107, 93 - h, 107 + w, 93}));  // bottom 7 above the pointer
  c.FHintOffsetY = 7;
  platform.Pointer = {100, 195};  // does not fit below the 200-pixel parent
  c.PlaceHint();
  EXPECT_EQ(c.FHint->Bounds().Top, 195 - 7 - h);
  platform.Pointer = {298, 50};  // nor right of it
  c.PlaceHint();
  EXPECT_EQ(c.FHint->Bounds().Left, 300 - w - 7);
  c.HintText = "a|b|c";
  c.FHintOffsetY = -7;
  platform.Pointer = {100, 100};
  c.PlaceHint();
  EXPECT_EQ(c.FHint->HintLineCount(), 3);
  EXPECT_EQ(c.FHint->Bounds().Top, 93 - 42 - 6);
}

TEST_F(OwnerDrawn, AnEmptyHintTextKeepsTheWindowHidden) {
  TLoggedCursor c;
  c.HintText.clear();
  c.FHintEnabled = true;
  c.SetShown(true);
  c.HintTimerTick(nullptr);
  ASSERT_NE(c.FHint, nullptr);
  EXPECT_FALSE(c.FHint->Visible());
}

TEST_F(OwnerDrawn, AHintDestroyedElsewhereIsForgotten) {
  TLoggedCursor c;
  c.FHintEnabled = true;
  c.SetShown(true);
  c.HintTimerTick(nullptr);
  ASSERT_NE(c.FHint, nullptr);
  delete c.FHint;
  EXPECT_EQ(c.FHint, nullptr);
  c.SetPos({50, 50});
}

}  // namespace
}  // namespace tasktest
