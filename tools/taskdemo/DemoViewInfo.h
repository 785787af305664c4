#pragma once
// TDemoViewInfo: the demo host's view-information provider. It reports the
// view while the view control's window exists: world coordinate 1 across,
// 2 upwards, 3 in depth; snap step 0.25, arrow steps 1 (0.25 with Ctrl: a
// finer step would be snapped away).

#include "tasks/CursorViewInfo.h"

class TDemoView;
class TComponent;

class TDemoViewInfo : public TCursorViewInfo {
public:
  static constexpr double kSnapStep = 0.25;
  static constexpr double kFactor = 0.25;

  // view and hostForm are not owned; they outlive the tasks that use them.
  TDemoViewInfo(TDemoView* view, TComponent* hostForm) : view_(view), hostForm_(hostForm) {}

  bool HasView() override;
  void GetInfo(TCursorViewRec& rec) override;

private:
  TDemoView* view_;
  TComponent* hostForm_;
};
