#include "tools/taskdemo/TaskDemoPage.h"

#include "framework/Application.h"
#include "tasks/TaskCallScope.h"
#include "tasks/TaskManager.h"
#include "tools/taskdemo/CrossCursor.h"

const TClassInfo& TTaskDemoPage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTaskDemoPage>("TTaskDemoPage", &TForm::StaticClassInfo())
                                     .Layout("TTASKDEMOPAGE")
                                     .Field("memPoints", &TTaskDemoPage::memPoints)
                                     .Field("stStatus", &TTaskDemoPage::stStatus)
                                     .Method<&TTaskDemoPage::FormCreate>("FormCreate")
                                     .Method<&TTaskDemoPage::FormShow>("FormShow")
                                     .Method<&TTaskDemoPage::FormDestroy>("FormDestroy")
                                     .Build();
  return info;
}

TTaskDemoPage::~TTaskDemoPage() { EndTasks(); }

void TTaskDemoPage::FormCreate(TObject*) {
  pbView = new TDemoView(this, 640, 400);
  pbView->SetName("pbView");
  pbView->SetParent(this);
  pbView->SetBounds(8, 8, 640, 400);
  pbView->OnMouseMove = TMouseMoveEvent::Of<&TTaskDemoPage::ViewMouseMove>(this);
  pbView->OnMouseDown = TMouseEvent::Of<&TTaskDemoPage::ViewMouseDown>(this);
  pbView->OnMouseUp = TMouseEvent::Of<&TTaskDemoPage::ViewMouseUp>(this);
  pbView->OnClick = TNotifyEvent::Of<&TTaskDemoPage::ViewClick>(this);
  pbView->OnKeyDown = TKeyEvent::Of<&TTaskDemoPage::ViewKeyDown>(this);
  pbView->OnKeyUp = TKeyEvent::Of<&TTaskDemoPage::ViewKeyUp>(this);
  pbView->OnKeyPress = TKeyPressEvent::Of<&TTaskDemoPage::ViewKeyPress>(this);
  pbView->OnMouseLeave = TNotifyEvent::Of<&TTaskDemoPage::ViewMouseLeave>(this);
  pbView->OnFocusChange = TNotifyEvent::Of<&TTaskDemoPage::ViewFocusChange>(this);
  pbView->OnPainted = TNotifyEvent::Of<&TTaskDemoPage::ViewPainted>(this);
  Application->OnHint = TNotifyEvent::Of<&TTaskDemoPage::TaskHint>(this);
  if (TaskManager) TaskManager->Start(new TPickPointTask(this));
}

void TTaskDemoPage::FormShow(TObject*) {
  if (pbView->CanFocus()) pbView->SetFocus();
  TaskHint(this);
}

void TTaskDemoPage::FormDestroy(TObject*) { EndTasks(); }

void TTaskDemoPage::EndTasks() {
  if (ended_) return;
  ended_ = true;
  // The tasks' cursors erase themselves from the view: end them while it exists.
  if (TaskManager) TaskManager->EndTasks(0);
  if (Application && Application->OnHint == TNotifyEvent::Of<&TTaskDemoPage::TaskHint>(this))
    Application->OnHint = TNotifyEvent();
}

TDemoTask* TTaskDemoPage::Current() const {
  if (!TaskManager || ended_) return nullptr;
  return dynamic_cast<TDemoTask*>(TaskManager->Current());
}

void TTaskDemoPage::TaskHint(TObject*) {
  if (!stStatus) return;
  std::string prompt;
  if (TDemoTask* t = Current()) t->GetPrompt(prompt);
  if (stStatus->Caption() != prompt) stStatus->SetCaption(prompt);
}

void TTaskDemoPage::RepaintCursor() {
  if (TDemoTask* t = Current(); t && t->FCursor && t->FCursor->FVisible) t->FCursor->Paint();
}

void TTaskDemoPage::PointPicked(const TWorldPoint& p) {
  points_.push_back(p);
  memPoints->AppendLine("P" + std::to_string(points_.size()) + ": X = " + WorldText(p.At(1)) +
                        "  Y = " + WorldText(p.At(2)));
  pbView->SetMarks(points_);
  RepaintCursor();
}

void TTaskDemoPage::DistanceMeasured(const TWorldPoint& from, const TWorldPoint& to, double distance) {
  ++measures_;
  memPoints->AppendLine("D" + std::to_string(measures_) + ": " + WorldText(distance) + " (X = " +
                        WorldText(from.At(1)) + "  Y = " + WorldText(from.At(2)) + " -> X = " +
                        WorldText(to.At(1)) + "  Y = " + WorldText(to.At(2)) + ")");
}

TWorldPoint TTaskDemoPage::LastPoint() const {
  if (!points_.empty()) return points_.back();
  TDemoTask* t = Current();
  return t && t->FCursor ? t->FCursor->FPos : TWorldPoint{};
}

// ---- the view's events, handed to the current task

void TTaskDemoPage::ViewMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
  TTaskCallScope scope;
  if (TDemoTask* t = Current()) {
    t->ShowInView();
    t->MouseMove(Sender, Shift, X, Y);
  }
}

void TTaskDemoPage::ViewMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  TTaskCallScope scope;
  TDemoTask* t = Current();
  if (!t) return;
  // A press with no move to it before (the pointer moved while a menu had
  // it) brings the crosshair there first, so the click picks where it is.
  t->ShowInView();
  t->MouseMove(Sender, Shift, X, Y);
  if (!t->Ended()) t->MouseDown(Sender, Button, Shift, X, Y);
}

void TTaskDemoPage::ViewMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  TTaskCallScope scope;
  TDemoTask* t = Current();
  if (!t) return;
  t->MouseUp(Sender, Button, Shift, X, Y);
  if (Button != mbLeft && !t->Ended()) t->MouseClick(Button, X, Y, 0);
}

void TTaskDemoPage::ViewClick(TObject* Sender) {
  TTaskCallScope scope;
  if (TDemoTask* t = Current(); t && t->FCursor && t->FCursor->FVisible) t->Click(Sender);
}

void TTaskDemoPage::ViewKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift) {
  TTaskCallScope scope;
  if (TDemoTask* t = Current()) t->KeyDown(Sender, Key, Shift);
}

void TTaskDemoPage::ViewKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift) {
  TTaskCallScope scope;
  if (TDemoTask* t = Current()) t->KeyUp(Sender, Key, Shift);
}

void TTaskDemoPage::ViewKeyPress(TObject* Sender, char& Key) {
  TTaskCallScope scope;
  if (TDemoTask* t = Current()) t->KeyPress(Sender, Key, KeyboardShiftState());
}

void TTaskDemoPage::ViewMouseLeave(TObject*) {
  TTaskCallScope scope;
  if (TDemoTask* t = Current()) t->HideFromView();
}

void TTaskDemoPage::ViewFocusChange(TObject* Sender) {
  TTaskCallScope scope;
  TDemoTask* t = Current();
  if (!t) return;
  if (pbView->ViewFocused()) {
    t->ViewEnter(Sender);
    t->ShowInView();
  } else {
    t->HideFromView();
    t->ViewExit(Sender);
  }
}

void TTaskDemoPage::ViewPainted(TObject*) { RepaintCursor(); }

LRESULT TTaskDemoPage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ENTERMENULOOP: {
      LRESULT r = TForm::WndProc(message, wParam, lParam);
      TTaskCallScope scope;
      // The menu takes the pointer: the crosshair must not keep it hidden.
      if (TDemoTask* t = Current()) t->HideFromView();
      if (TaskManager && !ended_) TaskManager->HostDeactivate();
      return r;
    }
    case WM_EXITMENULOOP: {
      LRESULT r = TForm::WndProc(message, wParam, lParam);
      TTaskCallScope scope;
      if (TaskManager && !ended_) TaskManager->HostActivate();
      return r;
    }
    default:
      return TForm::WndProc(message, wParam, lParam);
  }
}
