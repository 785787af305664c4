#pragma once
// TTaskCursor: the cursor a task moves in a drawing view, at a position in
// world coordinates (FPos), reached through a view-information provider.
// Mouse positions become world positions through the view's conversions,
// snapped to a step, kept inside the visible window and written back to the
// screen position; Ctrl gives a precision mode (a fraction of the mouse's
// movement, acceleration off). Without a usable view every world operation
// does nothing and PaintMode reports 1.
//
// Guards: FTrackReady is false only while TrackMouse runs (a nested call
// returns false). Every switch of the view to state 2 is undone however the
// operation ends, and so is every Hide of a Hide/Show pair.
//
// Showing from outside (a count of 0 going up, not the second half of a
// Hide/Show pair) picks up the pointer: the cursor appears only while the
// pointer is over the view and the view has the focus, and then jumps to the
// pointer. A re-show that pairs a hide always restores.
//
// The hint window is a cursor hint form in the view's host form; closing it
// hands it over to the application's main form (message 0x0465), which frees
// it, or closes it when there is no main form.

#include <cstdint>

#include "tasks/CursorViewInfo.h"
#include "tasks/OwnerDrawCursor.h"

class TTaskObj;
class TCursorViewControl;

class TTaskCursor : public TOwnerDrawCursor {
public:
  using TMoveEvent = TEvent<void(TObject* Sender, const TWorldPoint& Pos)>;

  // provider: not owned; without one, the task's provider.
  TTaskCursor(TTaskObj* task, TCursorViewInfo* provider);
  ~TTaskCursor() override;

  void SetPos(TPixelPoint p) override;
  void SaveBackground(const TPixelRect& r) override;
  void FlushRect(const TPixelRect& r) override;
  void RestoreBackground(const TPixelRect& r) override;
  void GetBounds(TPixelRect& r) override;
  void AfterHint() override;
  void CloseHint() override;
  void SetShown(bool show) override;
  void GetScreenPos(TPixelPoint& p) override;
  void CreateHint() override;
  virtual void SetWorldPos(const TWorldPoint& p);
  virtual bool MoveSettled();

  // X, Y in view-control pixels; true when the snapped position differs from
  // FPos. With apply false nothing is changed.
  bool TrackMouse(int32_t x, int32_t y, TShiftState shift, bool apply);
  void MoveTo(const TWorldPoint& p);
  void SetLastPoint(const TWorldPoint& p);
  void AttachViewInfo(TCursorViewInfo* provider);
  bool IsInView(double h, double v);
  bool HasView();
  TCursorViewControl* ViewControl();
  void GetViewRect(TPixelRect& r);
  TSurface ScreenCanvas();
  TSurface BackgroundCanvas();
  bool ViewFocused();
  uint8_t PaintMode();

  bool FPrecision = true;
  bool FFollow = true;
  bool FTrackReady = true;
  bool FMoveMouse = true;
  TCursorViewInfo* FViewInfo = nullptr;  // not owned
  TWorldPoint FPos;
  TWorldPoint FLastPoint;
  bool FLastPointSet = false;
  bool FLastPointDrawn = false;
  TMoveEvent FOnMove;
  bool FUseViewGrid = false;
  TWorldPoint FDownPos;
  TWorldPoint FUpPos;
  TTaskObj* FTask = nullptr;  // the owning task, not owned

private:
  // This cursor switched mouse acceleration off (precision mode) and puts it
  // back when it hides.
  bool FAccelOff = false;
  bool ReadRec(TCursorViewRec& r) { return ReadViewRec(FViewInfo, r); }
  void MovePointerToClient(const TCursorViewRec& r, TPixelPoint client);
};
