#include "tools/taskdemo/DemoTasks.h"

#include <cmath>

#include "tasks/TaskManager.h"
#include "tools/taskdemo/CrossCursor.h"
#include "tools/taskdemo/DemoViewInfo.h"

TDemoTask::TDemoTask(TDemoHost* host, int32_t level, std::string prompt)
    : TTaskObj(level), host_(host), prompt_(std::move(prompt)) {
  SetViewInfo(new TDemoViewInfo(host->View(), host->Form()));
  SetCursor(new TCrossCursor(this));
  // The view may not exist yet, so its snap step is not copied on attachment.
  for (TTaskCursor* c : {FCursor, FRefCursor}) c->FSnapStep = TDemoViewInfo::kSnapStep;
}

void TDemoTask::ShowInView() {
  // Not before the view has its window: a cursor without a view would be
  // shown without being drawn anywhere, hiding the system pointer.
  if (shown_ || Ended() || !FCursor || !HasView()) return;
  ShowCursorA();
  shown_ = FCursor->FVisible;
}

void TDemoTask::HideFromView() {
  if (Ended() || !FCursor) return;
  // The hint tells where the crosshair is: it goes with the crosshair.
  DismissHint(this);
  if (!shown_) return;
  shown_ = false;
  HideCursorA();
}

void TDemoTask::Interrupted(TTaskObj*) { HideFromView(); }

void TDemoTask::CursorMoved(TTaskCursor*, const TWorldPoint& pos) {
  if (FRefCursor) FRefCursor->FPos = pos;
}

TPickPointTask::TPickPointTask(TDemoHost* host)
    : TDemoTask(host, 0, "Pont megadása: kattintás, Enter vagy szóköz; pont (.): távolságmérés") {
  FOptions |= optDot;
}

void TPickPointTask::Accept(TObject* sender) {
  TDemoTask::Accept(sender);
  host_->PointPicked(FCursor->FPos);
}

void TPickPointTask::DotKey(TObject*) {
  if (FManager) FManager->Start(new TMeasureTask(host_, host_->LastPoint()));
}

TMeasureTask::TMeasureTask(TDemoHost* host, const TWorldPoint& from)
    : TDemoTask(host, 1, "Távolságmérés: adja meg a második pontot (Esc: mégse)"), from_(from) {
  FOptions |= optCancelEnds;
}

void TMeasureTask::Accept(TObject* sender) {
  TDemoTask::Accept(sender);
  const TWorldPoint to = FCursor->FPos;
  const double d = std::hypot(to.At(1) - from_.At(1), to.At(2) - from_.At(2));
  host_->DistanceMeasured(from_, to, d);
  EndTask();
}
