#include "tools/taskdemo/DemoViewInfo.h"

#include "tools/taskdemo/DemoView.h"

bool TDemoViewInfo::HasView() { return view_ && view_->HandleAllocated(); }

void TDemoViewInfo::GetInfo(TCursorViewRec& rec) {
  rec = TCursorViewRec{};
  if (!view_) return;
  rec.HorzCoord = 1;
  rec.VertCoord = 2;
  rec.DepthCoord = 3;
  rec.SnapStep = kSnapStep;
  rec.Factor = kFactor;
  rec.Steps[0] = rec.Steps[1] = rec.Steps[2] = 1.0;
  rec.GridMode = true;
  rec.HostForm = hostForm_;
  rec.View = &view_->DrawingView();
  rec.Control = view_;
}
