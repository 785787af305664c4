#include "tasks/TaskCursor.h"

#include <cmath>

#include "tasks/CursorInput.h"
#include "tasks/CursorViewControl.h"
#include "tasks/DrawingView.h"
#include "tasks/TaskCallScope.h"
#include "tasks/TaskObj.h"

TTaskCursor::TTaskCursor(TTaskObj* task, TCursorViewInfo* provider) : TOwnerDrawCursor(0), FTask(task) {
  FViewInfo = provider ? provider : task ? task->FViewInfo : nullptr;
  FHintOffsetX = 5;
  FHintOffsetY = -5;
  FHintTolerance = 5;
  FHintDelay = 2000;
  FBuffered = false;
}

TTaskCursor::~TTaskCursor() {
  // Close here, while this class's painting surfaces and hint hand-over are
  // still reachable.
  try {
    Close();
  } catch (...) {
  }
}

bool TTaskCursor::HasView() {
  TCursorViewRec r;
  return ReadRec(r);
}

TCursorViewControl* TTaskCursor::ViewControl() {
  TCursorViewRec r;
  return ReadRec(r) ? r.Control : nullptr;
}

void TTaskCursor::GetViewRect(TPixelRect& r) {
  TCursorViewControl* c = ViewControl();
  r = c ? c->ViewClientRect() : TPixelRect{};
}

TSurface TTaskCursor::ScreenCanvas() {
  TCursorViewControl* c = ViewControl();
  return c ? c->ScreenCanvas() : 0;
}

TSurface TTaskCursor::BackgroundCanvas() {
  TCursorViewControl* c = ViewControl();
  return c ? c->BackgroundCanvas() : 0;
}

bool TTaskCursor::ViewFocused() {
  TCursorViewControl* c = ViewControl();
  return c && c->ViewFocused();
}

uint8_t TTaskCursor::PaintMode() {
  TCursorViewControl* c = ViewControl();
  return c ? c->PaintMode() : 1;
}

void TTaskCursor::MovePointerToClient(const TCursorViewRec& r, TPixelPoint client) {
  TaskPlatform().SetPointerPos(r.Control->ViewClientToScreen(client));
}

void TTaskCursor::SetPos(TPixelPoint p) {
  TTaskCallScope scope;
  TOwnerDrawCursor::SetPos(p);
  TrackMouse(p.X, p.Y, GetShiftState(), true);
  if (FOnMove) FOnMove(this, FPos);
}

bool TTaskCursor::TrackMouse(int32_t x, int32_t y, TShiftState shift, bool apply) {
  TTaskCallScope scope;
  if (!FTrackReady || FClosed) return false;
  TCursorViewRec r;
  if (!ReadRec(r)) return false;
  TFlagScope ready(FTrackReady, false);
  TDrawingView* view = r.View;
  const int32_t h = r.HorzCoord, v = r.VertCoord;
  const bool ctrl = HasCtrl(shift) && FPrecision;

  const bool perCoord = r.GridMode && r.Kind != 3 && FUseViewGrid;
  double grid[3];
  for (int i = 0; i < 3; ++i) grid[i] = perCoord ? r.Steps[i] * (ctrl ? r.Factor : 1.0) : FSnapStep;
  const double gh = grid[h - 1], gv = grid[v - 1];

  const TWorldPoint o = FPos;
  TWorldPoint n = FPos;
  {
    TViewStateScope state(view, 2);
    if (apply) {
      if (ctrl) {
        MouseAccelOff();
        FAccelOff = true;
      } else {
        MouseAccelRestore();
        FAccelOff = false;
      }
    }
    auto screenOf = [&](const TWorldPoint& w) {
      return TPixelPoint{view->WorldToScreenXOf(w.At(h)), view->WorldToScreenYOf(w.At(v))};
    };
    auto movePointer = [&](const TWorldPoint& w) {
      if (FMoveMouse && apply) MovePointerToClient(r, screenOf(w));
    };
    // A precision move scaled by a factor that is not finite (or beyond the
    // double range) leaves the coordinate where it was.
    auto fine = [&](double from, double to) {
      const double t = from + (to - from) * r.Factor;
      return std::isfinite(t) ? t : from;
    };
    if (perCoord && ctrl && (FVisible || !apply)) {
      n.At(h) = Snapped(fine(o.At(h), view->ScreenToWorldXOf(x)), gh);
      n.At(v) = Snapped(fine(o.At(v), view->ScreenToWorldYOf(y)), gv);
      if (std::fabs(n.At(h) - o.At(h)) >= gh || std::fabs(n.At(v) - o.At(v)) >= gv) movePointer(n);
    } else if (perCoord) {
      n.At(h) = Snapped(view->ScreenToWorldXOf(x), gh);
      n.At(v) = Snapped(view->ScreenToWorldYOf(y), gv);
    } else if (!(screenOf(FPos) == TPixelPoint{x, y})) {
      if (ctrl && FVisible) {
        n.At(h) = Snapped(fine(o.At(h), view->ScreenToWorldXOf(x)), FSnapStep);
        n.At(v) = Snapped(fine(o.At(v), view->ScreenToWorldYOf(y)), FSnapStep);
        if (n.At(h) != o.At(h) || n.At(v) != o.At(v)) movePointer(n);
      } else if (r.Kind == 3) {
        n.At(h) = view->ScreenToWorldXOf(x);
        n.At(v) = view->ScreenToWorldYOf(y);
      } else {
        n.At(h) = Snapped(view->ScreenToWorldXOf(x), FSnapStep);
        n.At(v) = Snapped(view->ScreenToWorldYOf(y), FSnapStep);
      }
    }
    // One step back towards the window; a point further out stays outside.
    // A step that is not finite moves nothing, as a zero step does.
    if (!view->InView(n.At(h), n.At(v))) {
      const TViewState& w = view->State;
      auto pull = [](double& c, double by) {
        const double t = c + by;
        if (std::isfinite(t)) c = t;
      };
      if (n.At(h) > w.HMax)
        pull(n.At(h), -gh);
      else if (n.At(h) < w.HMin)
        pull(n.At(h), gh);
      if (n.At(v) > w.VMax)
        pull(n.At(v), -gv);
      else if (n.At(v) < w.VMin)
        pull(n.At(v), gv);
    }
    state.Restore();
  }

  if (Same(n, o)) return false;
  if (!apply) return true;
  auto place = [&] {
    SetWorldPos(n);
    if (r.Kind != 3) SetLastPoint(n);
  };
  if (FVisible)
    WithHidden(place);
  else
    place();
  return true;
}

void TTaskCursor::SetWorldPos(const TWorldPoint& p) {
  TTaskCallScope scope;
  TCursorViewRec r;
  if (FClosed || !ReadRec(r)) return;
  TDrawingView* view = r.View;
  const int32_t h = r.HorzCoord, v = r.VertCoord;
  TViewStateScope state(view, 2);
  if (!view->InView(p.At(h), p.At(v)) && FMoveMouse) return;
  const TWorldPoint old = FPos;
  FPos = p;
  if (r.Kind != 3)
    for (double& c : FPos.C) c = Snapped(c, FSnapStep);
  const int32_t sx = view->WorldToScreenXOf(FPos.At(h));
  const int32_t sy = view->WorldToScreenYOf(FPos.At(v));
  state.Restore();
  if (!Same(FPos, old) || FX != sx || FY != sy) {
    if (FOnMove) FOnMove(this, FPos);
    // The base class's move: this class's SetPos would track the mouse again.
    if (FFollow) TOwnerDrawCursor::SetPos({sx, sy});
  }
}

void TTaskCursor::MoveTo(const TWorldPoint& p) {
  TTaskCallScope scope;
  auto place = [&] {
    TCursorViewRec r;
    if (!ReadRec(r)) {
      SetWorldPos(p);
      return;
    }
    if (!IsInView(p.At(r.HorzCoord), p.At(r.VertCoord))) return;
    SetWorldPos(p);
    if (FMoveMouse) MovePointerToClient(r, {FX, FY});
  };
  if (FVisible)
    WithHidden(place);
  else
    place();
}

void TTaskCursor::SetLastPoint(const TWorldPoint& p) {
  auto store = [&] {
    FLastPoint = p;
    FLastPointSet = true;
  };
  if (FVisible && FLastPointDrawn && !Same(p, FLastPoint))
    WithHidden(store);
  else
    store();
}

void TTaskCursor::AttachViewInfo(TCursorViewInfo* provider) {
  if (FVisible)
    WithHidden([&] { FViewInfo = provider; });
  else
    FViewInfo = provider;
}

bool TTaskCursor::IsInView(double h, double v) {
  TCursorViewRec r;
  if (!ReadRec(r)) return false;
  if (r.Control->IsPaintBox()) {
    TViewStateScope state(r.View, 2);
    return r.View->InView(h, v);
  }
  return r.Control->InExtent(h, v);
}

void TTaskCursor::SetShown(bool show) {
  TTaskCallScope scope;
  const bool paired = TakePaired();
  if (FClosed) return;
  TCursorViewRec r;
  if (show && !paired && FShowCount == 0 && ReadRec(r)) {
    TPixelPoint q{};
    bool inside = true;
    if (FMoveMouse) {
      q = r.Control->ViewScreenToClient(TaskPlatform().PointerPos());
      inside = TaskPlatform().PointVisible(r.Control->ScreenCanvas(), q);
    }
    // Dropped: the count stays, the cursor stays invisible.
    if (!inside || !r.Control->ViewFocused()) return;
    if (FMoveMouse) {
      SetX(q.X);
      SetY(q.Y);
      SetPos({FX, FY});
    }
  }
  const bool wasVisible = FVisible;
  TOwnerDrawCursor::SetShown(show);
  if (!show && !paired && wasVisible && !FVisible && FAccelOff) {
    FAccelOff = false;
    MouseAccelRestore();
  }
}

void TTaskCursor::GetScreenPos(TPixelPoint& p) {
  TCursorViewControl* c = ViewControl();
  p = c ? c->ViewClientToScreen({FX, FY}) : TPixelPoint{FX, FY};
}

void TTaskCursor::GetBounds(TPixelRect& r) { GetViewRect(r); }

void TTaskCursor::AfterHint() {
  if (TCursorViewControl* c = ViewControl()) c->UpdateNow();
  TOwnerDrawCursor::AfterHint();
}

void TTaskCursor::SaveBackground(const TPixelRect& r) {
  TCursorViewControl* c = ViewControl();
  if (!c) return;
  switch (c->PaintMode()) {
    case 0:
      c->Redraw();
      break;
    case 1: {
      const TPixelRect view = c->ViewClientRect();
      Buffer()->SetSize(view.Width(), view.Height());
      TaskPlatform().FlushGraphics();
      TaskPlatform().CopyPixels(Buffer()->Surface(), c->BackgroundCanvas(), r);
      break;
    }
    default:
      break;
  }
}

void TTaskCursor::FlushRect(const TPixelRect& r) {
  TCursorViewControl* c = ViewControl();
  if (!c || c->PaintMode() != 1) return;
  TaskPlatform().FlushGraphics();
  TaskPlatform().CopyPixels(c->ScreenCanvas(), Buffer()->Surface(), r);
}

void TTaskCursor::RestoreBackground(const TPixelRect& r) {
  TCursorViewControl* c = ViewControl();
  if (!c) return;
  switch (c->PaintMode()) {
    case 0:
      c->Redraw();
      break;
    case 1:
      TaskPlatform().FlushGraphics();
      TaskPlatform().CopyPixels(c->ScreenCanvas(), c->BackgroundCanvas(), r);
      break;
    default:
      break;
  }
}

void TTaskCursor::CreateHint() {
  TCursorViewRec r;
  const bool hasView = ReadRec(r);
  FHint = TaskPlatform().CreateHintWindow(hasView ? r.HostForm : nullptr);
  if (FHint) {
    FHint->SetUser(this);
    FHint->SetVisible(false);
  }
  PlaceHint();
  TOwnerDrawCursor::CreateHint();
}

void TTaskCursor::CloseHint() {
  if (!FHint) return;
  TTaskPlatform& platform = TaskPlatform();
  platform.CancelApplicationHint();
  TCursorHint* hint = FHint;
  ReleaseHint();
  // Hidden before it changes hands; without a main form to take it (at
  // shut-down) it is closed here and frees itself.
  hint->SetVisible(false);
  if (!platform.HandOverHint(hint)) hint->Close();
}

bool TTaskCursor::MoveSettled() {
  TPixelPoint delta;
  return !MouseMovePending(delta);
}
