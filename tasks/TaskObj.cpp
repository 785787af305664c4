#include "tasks/TaskObj.h"

#include <cmath>

#include "tasks/CursorInput.h"
#include "tasks/CursorViewControl.h"
#include "tasks/DrawingView.h"
#include "tasks/TaskCallScope.h"
#include "tasks/TaskManager.h"

namespace {

// Ends a cursor's life as far as anyone can see; the object is deleted later.
void CloseCursor(TTaskCursor* cursor) {
  if (cursor) cursor->Close();
}

// Coordinate b moved by d key steps of k, snapped by s. A step that is not
// finite (a Steps entry or Factor that is infinite or NaN, or a sum beyond the
// double range) moves nothing, as a zero step does.
double Stepped(double b, int d, double k, double s) {
  const double t = d * k + b;
  return Snapped(std::isfinite(t) ? t : b, s);
}

}  // namespace

TTaskObj::TTaskObj(int32_t level) : FLevel(level) {
  FOptions = 0x11;
  FMoveEnabled = true;
  FByMouse = FActive = FRefWasShown = false;
  FViewInfo = new TCursorViewInfo;
  FLinked = true;
  // The main cursor first. (A constructor reaches this class's operations
  // only: descendants' Prepare runs again when the task is activated.)
  TTaskObj::SetCursor(new TTaskCursor(this, nullptr));
  TTaskObj::SetRefCursor(new TTaskCursor(this, nullptr));
  TTaskObj::Prepare();
}

TTaskObj::~TTaskObj() {
  delete FCursor;
  delete FRefCursor;
  delete FViewInfo;
}

void TTaskObj::Free(TTaskObj* task) {
  if (!task || task->FEnded) return;
  TTaskCallScope scope;
  task->FEnded = true;
  try {
    task->EndStep();
  } catch (...) {
    TTaskCallScope::DeleteLater(task);
    throw;
  }
  TTaskCallScope::DeleteLater(task);
}

void TTaskObj::EndStep() {
  if (FActive) Deactivate();
  if (FManager) {
    FManager->EndTasks(FLevel + 1);
    if (FManager->FCurrent == this) FManager->Pop();
  }
  MouseAccelRestore();
  CloseCursor(FCursor);
  CloseCursor(FRefCursor);
  // The task below was resumed (and may have shown its cursors) while this
  // task's cursors were still on screen; a buffered cursor removes itself by
  // copying the clean picture back, which wipes out a buffered cursor drawn
  // over the same area meanwhile. Draw those again.
  if (FManager && FManager->FCurrent && FManager->FCurrent != this) FManager->FCurrent->RedrawBufferedCursors();
}

void TTaskObj::RedrawBufferedCursors() {
  for (TTaskCursor* c : {FCursor, FRefCursor})
    if (c && c->FBuffered && c->FVisible && !c->Closed()) c->Paint();
}

// ---- cursors and provider

void TTaskObj::WireCursor(TTaskCursor* cursor) {
  cursor->FOnMove = TTaskCursor::TMoveEvent::Of<&TTaskObj::DoCursorMove>(this);
  cursor->FOnShowChange = TNotifyEvent::Of<&TTaskObj::DoCursorShow>(this);
  cursor->FOnBeforeHint = TNotifyEvent::Of<&TTaskObj::DoBeforeHint>(this);
  cursor->FOnAfterHint = TNotifyEvent::Of<&TTaskObj::DoAfterHint>(this);
}

void TTaskObj::SetCursor(TTaskCursor* cursor) {
  if (cursor == FCursor) return;
  TTaskCursor* old = FCursor;
  FCursor = cursor;
  delete old;
  if (!cursor) return;
  cursor->AttachViewInfo(FViewInfo);
  WireCursor(cursor);
}

void TTaskObj::SetRefCursor(TTaskCursor* cursor) {
  if (cursor == FRefCursor) return;
  TTaskCursor* old = FRefCursor;
  FRefCursor = cursor;
  delete old;
  if (!cursor) return;
  cursor->AttachViewInfo(FViewInfo);
  cursor->FMoveMouse = false;
  cursor->SetKeepSystemCursor(true);
  TCursorViewRec r;
  if (ReadViewRec(FViewInfo, r)) cursor->FSnapStep = r.SnapStep;
}

void TTaskObj::SetViewInfo(TCursorViewInfo* provider) {
  // The same object again is no change (freeing it would leave it dangling);
  // the old provider is freed only once both cursors use the new one, since
  // a visible cursor consults it while it erases itself.
  if (provider == FViewInfo) return;
  TCursorViewInfo* old = FViewInfo;
  FViewInfo = provider;
  TCursorViewRec r;
  const bool hasView = ReadViewRec(provider, r);
  for (TTaskCursor* c : {FCursor, FRefCursor}) {
    if (!c) continue;
    c->AttachViewInfo(provider);
    if (hasView) c->FSnapStep = r.SnapStep;
  }
  delete old;
}

// ---- virtual operations

void TTaskObj::GetPrompt(std::string& text) { text.clear(); }

uint8_t TTaskObj::GetOptions() {
  uint8_t o = FOptions;
  if (FPrevious && !(FPrevious->GetOptions() & optInherited)) o &= static_cast<uint8_t>(~optInherited);
  return o;
}

void TTaskObj::Click(TObject* sender) {
  TTaskCallScope scope;
  if (FEnded) return;
  if (FCursor) FCursor->HideHint();
  FByMouse = true;
  Accept(sender);
}

void TTaskObj::DismissHint(TObject*) {
  if (FCursor) FCursor->HideHint();
}

void TTaskObj::CursorMoved(TTaskCursor*, const TWorldPoint&) {}
void TTaskObj::CursorShown(TTaskCursor*) {}

void TTaskObj::QueryHandled(TObject*, int32_t, int32_t, bool& handled) { handled = false; }

void TTaskObj::ViewExit(TObject*) {
  TTaskCallScope scope;
  if (FEnded) return;
  Deactivate();
  MouseAccelRestore();
}

void TTaskObj::ViewEnter(TObject*) {
  TTaskCallScope scope;
  if (FEnded) return;
  Activate();
}

void TTaskObj::MouseDown(TObject*, TMouseButton, TShiftState shift, int32_t, int32_t) {
  FShift = shift;
  for (TTaskCursor* c : {FCursor, FRefCursor})
    if (c) c->FDownPos = c->FPos;
}

void TTaskObj::MouseUp(TObject*, TMouseButton, TShiftState shift, int32_t, int32_t) {
  FShift = shift;
  for (TTaskCursor* c : {FCursor, FRefCursor})
    if (c) c->FUpPos = c->FPos;
}

void TTaskObj::MouseMove(TObject*, TShiftState shift, int32_t x, int32_t y) {
  TTaskCallScope scope;
  if (FEnded) return;
  FShift = shift;
  if (!FCursor || !FCursor->FVisible || !FMoveEnabled || (x == FCursor->FX && y == FCursor->FY)) return;
  TFlagScope moving(FMoveEnabled, false);
  LinkCursors(false);
  try {
    FCursor->TrackMouse(x, y, shift, true);
  } catch (...) {
    try {
      if (!FEnded) LinkCursors(true);
    } catch (...) {
    }
    throw;
  }
  if (!FEnded) LinkCursors(true);
}

// ---- overridable operations

void TTaskObj::Activate() {
  FActive = true;
  Prepare();
  NotifyHint();
}

void TTaskObj::Deactivate() {
  FActive = false;
  NotifyHint();
}

void TTaskObj::HostDeactivated() {
  Deactivate();
  MouseAccelRestore();
}

void TTaskObj::HostActivated() {
  Activate();
  TCursorViewRec r;
  if (!ReadViewRec(FViewInfo, r)) return;
  TTaskPlatform& p = TaskPlatform();
  if (p.MouseButtonQueued() && p.WindowUnderPointer() == r.Control->ViewWindow()) r.Control->ReleaseFormFocus();
}

void TTaskObj::Cancel(TObject*) {
  if (FCursor) FCursor->HideHint();
  if (GetOptions() & optCancelEnds) EndTask();
}

void TTaskObj::Accept(TObject*) {
  if (FCursor) FCursor->HideHint();
}

void TTaskObj::QueryAllowed(int32_t, bool& allowed) { allowed = true; }

void TTaskObj::KeyDown(TObject*, uint16_t& key, TShiftState shift) {
  TTaskCallScope scope;
  if (FEnded) return;
  FShift = shift;
  switch (key) {
    case 35: StepInDepth(-1); break;
    case 36: StepInDepth(+1); break;
    case 37: StepInPlane(-1, 0); break;
    case 38: StepInPlane(0, +1); break;
    case 39: StepInPlane(+1, 0); break;
    case 40: StepInPlane(0, -1); break;
    default: return;
  }
  key = 0;
}

void TTaskObj::KeyPress(TObject* sender, char& key, TShiftState shift) {
  TTaskCallScope scope;
  if (FEnded) return;
  FShift = shift;
  if (HasAlt(shift)) return;
  if (HasCtrl(shift)) {
    if (key == 1 && (GetOptions() & optCtrlA)) {
      CtrlAKey(sender);
      key = 0;
    }
    return;
  }
  switch (key) {
    case 13:
    case 32:
      if (FCursor) FCursor->HideHint();
      for (TTaskCursor* c : {FCursor, FRefCursor})
        if (c) c->FDownPos = c->FPos;
      FByMouse = false;
      Accept(sender);
      key = 0;
      break;
    case 27:
      if (!(FOptions & optEsc)) return;
      if (FCursor) FCursor->HideHint();
      Cancel(sender);
      key = 0;
      break;
    case 46:
      if (!(GetOptions() & optDot)) return;
      DotKey(sender);
      key = 0;
      break;
    default:
      break;
  }
}

void TTaskObj::KeyUp(TObject*, uint16_t&, TShiftState shift) {
  FShift = shift;
  // Precision mode ends with Ctrl, not only at the next move.
  if (!HasCtrl(shift)) MouseAccelRestore();
}

void TTaskObj::ClearManagerAux() {
  if (FManager) FManager->FAux = 0;
}

void TTaskObj::ButtonNotify(TMouseButton, int32_t, int32_t, int32_t) {}

void TTaskObj::MouseClick(TMouseButton button, int32_t, int32_t, int32_t) {
  TTaskCallScope scope;
  if (FEnded) return;
  if (button == mbRight && (GetOptions() & optRightClickEnds)) EndTask();
}

bool TTaskObj::ButtonQuery(TMouseButton, int32_t, int32_t, int32_t) { return true; }

void TTaskObj::SetCursorShown(bool show) {
  if (FCursor) FCursor->SetShown(show);
}

// ---- other operations

void TTaskObj::DoCursorMove(TObject* cursor, const TWorldPoint& pos) {
  CursorMoved(static_cast<TTaskCursor*>(cursor), pos);
}

void TTaskObj::DoCursorShow(TObject* cursor) {
  if (FLinked && FRefCursor && FCursor) FRefCursor->SetShown(FCursor->FVisible);
  CursorShown(static_cast<TTaskCursor*>(cursor));
}

void TTaskObj::DoBeforeHint(TObject* cursor) {
  if (FRefCursor && FRefCursor != cursor) FRefCursor->Hide();
  if (FCursor && FCursor != cursor) FCursor->Hide();
}

void TTaskObj::DoAfterHint(TObject* cursor) {
  if (FRefCursor && FRefCursor != cursor) FRefCursor->Show();
  if (FCursor && FCursor != cursor) FCursor->Show();
}

void TTaskObj::LinkCursors(bool link) {
  FLinked = link;
  if (!FRefCursor || !FCursor) return;
  if (!link) {
    FRefWasShown = FRefCursor->FVisible;
    return;
  }
  if (FRefCursor->FVisible != FCursor->FVisible) {
    if (!FRefWasShown) FRefCursor->SetShown(false);
    DoCursorShow(FCursor);
  }
}

bool TTaskObj::HasView() { return FViewInfo && FViewInfo->HasView(); }

TCursorViewControl* TTaskObj::ViewControl() {
  TCursorViewRec r;
  return ReadViewRec(FViewInfo, r) ? r.Control : nullptr;
}

TSurface TTaskObj::ViewCanvas() {
  TCursorViewControl* c = ViewControl();
  return c ? c->OwnSurface() : 0;
}

void TTaskObj::NotifyHint() {
  if (TaskUnitClosing()) return;
  TaskPlatform().NotifyHintChanged(this);
}

bool TTaskObj::StepSetup(TCursorViewRec& r, TWorldPoint& base, double k[3]) {
  if (!FCursor || !FCursor->FVisible || !ReadViewRec(FViewInfo, r)) return false;
  base = FRefCursor ? FRefCursor->FPos : FCursor->FPos;
  const bool fine = HasCtrl(FShift) && FCursor->FPrecision;
  for (int i = 0; i < 3; ++i) k[i] = r.Steps[i] * (fine ? r.Factor : 1.0);
  return true;
}

void TTaskObj::StepMove(const TWorldPoint& target) {
  const bool linked = FLinked;
  LinkCursors(false);
  try {
    FCursor->Hide();
    try {
      FCursor->MoveTo(target);
      FCursor->SetWorldPos(target);
    } catch (...) {
      FCursor->Show();
      throw;
    }
    FCursor->Show();
  } catch (...) {
    if (!FEnded) LinkCursors(linked);
    throw;
  }
  if (!FEnded) LinkCursors(linked);
}

void TTaskObj::StepInPlane(int dx, int dy) {
  TCursorViewRec r;
  TWorldPoint b;
  double k[3];
  if (!StepSetup(r, b, k)) return;
  const int32_t h = r.HorzCoord, v = r.VertCoord;
  const double s = FCursor->FSnapStep;
  TWorldPoint n = b;
  {
    TViewStateScope state(r.View, 2);
    n.At(h) = Stepped(b.At(h), dx, k[h - 1], s);
    n.At(v) = Stepped(b.At(v), dy, k[v - 1], s);
    const int32_t sx = r.View->WorldToScreenXOf(n.At(h));
    const int32_t sy = r.View->WorldToScreenYOf(n.At(v));
    const TPixelRect c = TaskPlatform().ClipBox(r.Control->OwnSurface());
    if (!c.Contains({sx, sy})) {
      if (sx >= c.Right || sx <= c.Left) n.At(h) = b.At(h);
      if (sy <= c.Top || sy >= c.Bottom) n.At(v) = b.At(v);
    }
    state.Restore();
  }
  StepMove(n);
}

void TTaskObj::StepInDepth(int dz) {
  TCursorViewRec r;
  TWorldPoint b;
  double k[3];
  if (!StepSetup(r, b, k) || r.Kind == 3) return;
  const int32_t d = r.DepthCoord;
  b.At(d) = Stepped(b.At(d), dz, k[d - 1], FCursor->FSnapStep);
  StepMove(b);
}
