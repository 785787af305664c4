#pragma once
// TTaskDemoPage: the gallery page of the interactive task framework
// ("/page Tasks"): a 640 x 400 drawing view with a crosshair cursor driven by
// a point-picking task (level 0) and a distance measurement (level 1), the
// picked points listed in memPoints and the current task's prompt in the
// status line stStatus. The layout is tools/taskdemo/TaskDemoPage.layout; the
// view is made in FormCreate.
//
// The page is the tasks' host: it hands the view's mouse and keyboard events
// to the current task, shows its cursor while the pointer is over the focused
// view, and ends its tasks before the view goes away. While a menu of the page
// (its system menu) is open, the current task is inactive and its cursor
// hidden, as with the library's forms; the next move over the view shows it.

#include <string>
#include <vector>

#include "framework/CustomForm.h"
#include "framework/Memo.h"
#include "framework/StaticText.h"
#include "tools/taskdemo/DemoTasks.h"
#include "tools/taskdemo/DemoView.h"

class TTaskDemoPage : public TForm, public TDemoHost {
public:
  using TForm::TForm;
  ~TTaskDemoPage() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TMemo* memPoints = nullptr;
  TStaticText* stStatus = nullptr;
  // Made in FormCreate; owned by the form.
  TDemoView* pbView = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormDestroy(TObject* Sender);

  // TDemoHost
  void PointPicked(const TWorldPoint& p) override;
  void DistanceMeasured(const TWorldPoint& from, const TWorldPoint& to, double distance) override;
  TWorldPoint LastPoint() const override;
  TDemoView* View() const override { return pbView; }
  TComponent* Form() const override { return const_cast<TTaskDemoPage*>(this); }

  const std::vector<TWorldPoint>& Points() const { return points_; }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  TDemoTask* Current() const;
  void RepaintCursor();
  void ViewMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ViewMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ViewMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ViewClick(TObject* Sender);
  void ViewKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void ViewKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void ViewKeyPress(TObject* Sender, char& Key);
  void ViewMouseLeave(TObject* Sender);
  void ViewFocusChange(TObject* Sender);
  void ViewPainted(TObject* Sender);
  void TaskHint(TObject* Sender);
  void EndTasks();

  std::vector<TWorldPoint> points_;
  int measures_ = 0;
  bool ended_ = false;
};
