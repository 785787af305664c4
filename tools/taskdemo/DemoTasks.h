#pragma once
// The demo host's tasks, working in a TDemoView through a TDemoViewInfo with
// a crosshair cursor:
//  - TPickPointTask (level 0): every click, Enter or Space picks the cursor's
//    world position; the period starts a distance measurement from the last
//    picked point; Esc only closes the hint.
//  - TMeasureTask (level 1): picks a second point, reports the distance from
//    the first one and ends; Esc ends it without a point.
// The second cursor is not drawn: it follows the main cursor's position, so
// the arrow keys step from where the crosshair is.
//
// The host (TDemoHost) hears of picked points and shows the current task's
// prompt as its status line.

#include <string>

#include "tasks/TaskObj.h"
#include "tools/taskdemo/DemoView.h"

class TDemoHost {
public:
  virtual ~TDemoHost() = default;
  virtual void PointPicked(const TWorldPoint& p) = 0;
  virtual void DistanceMeasured(const TWorldPoint& from, const TWorldPoint& to, double distance) = 0;
  // The point a measurement starts from (the last picked one).
  virtual TWorldPoint LastPoint() const = 0;
  virtual TDemoView* View() const = 0;
  virtual TComponent* Form() const = 0;
};

class TDemoTask : public TTaskObj {
public:
  TDemoTask(TDemoHost* host, int32_t level, std::string prompt);

  void GetPrompt(std::string& text) override { text = prompt_; }
  void Interrupted(TTaskObj* newTask) override;
  void Started() override { ShowInView(); }
  void Resumed() override { ShowInView(); }
  void CursorMoved(TTaskCursor* cursor, const TWorldPoint& pos) override;

  // The host's show and hide requests (pointer entering and leaving the view),
  // balanced: a request the cursor dropped is not undone. Showing waits for
  // the view's window; hiding also closes the cursor's hint.
  void ShowInView();
  void HideFromView();

protected:
  TDemoHost* host_;  // not owned

private:
  std::string prompt_;
  bool shown_ = false;
};

class TPickPointTask : public TDemoTask {
public:
  explicit TPickPointTask(TDemoHost* host);
  void Accept(TObject* sender) override;
  void DotKey(TObject* sender) override;
};

class TMeasureTask : public TDemoTask {
public:
  TMeasureTask(TDemoHost* host, const TWorldPoint& from);
  void Accept(TObject* sender) override;

private:
  TWorldPoint from_;
};
