#pragma once
// TTaskObj: one tool or command working in a host's drawing view. The view
// hands its mouse and keyboard events to the current task; the task moves its
// cursors, accepts or cancels, and ends itself when it is done.
//
// Ownership: a task owns its main cursor (FCursor), its second cursor
// (FRefCursor, which follows the main cursor's visibility while FLinked) and
// its view-information provider (FViewInfo; the default one reports no view).
// The manager owns the tasks on its stack.
//
// Ending a task (Free): the end step runs at once - Deactivate if active, the
// tasks above it ended and the task popped off its manager's stack, mouse
// acceleration restored, both cursors closed (their drawing removed, their
// events raised), then the visible buffered cursors of the task now current
// drawn again (removing a buffered drawing restores the clean picture under
// it) - so every override is reached on the whole object; the
// object is deleted when the outermost framework call returns
// (TTaskCallScope). An ended task ignores further calls. Tasks are never
// deleted directly.
//
// Option bits (FOptions, default 0x11):
//   0x01 Esc goes to Cancel (read from FOptions itself)
//   0x02 Cancel ends the task
//   0x04 the period character goes to DotKey
//   0x08 Ctrl+A goes to CtrlAKey
//   0x10 inherited: GetOptions reports it only while the task below does too
//   0x20 a right-button MouseClick ends the task
//
// Guard: FMoveEnabled is false while a mouse move is processed (a move
// arriving meanwhile is ignored) and is restored however the move ends.

#include <cstdint>
#include <string>

#include "framework/Controls.h"
#include "framework/Object.h"
#include "tasks/CursorViewInfo.h"
#include "tasks/TaskCursor.h"

class TTaskManager;
class TCursorViewControl;

class TTaskObj : public TObject {
public:
  static constexpr uint8_t optEsc = 0x01;
  static constexpr uint8_t optCancelEnds = 0x02;
  static constexpr uint8_t optDot = 0x04;
  static constexpr uint8_t optCtrlA = 0x08;
  static constexpr uint8_t optInherited = 0x10;
  static constexpr uint8_t optRightClickEnds = 0x20;

  explicit TTaskObj(int32_t level);

  // Ends the task (see above); null and ended tasks are ignored.
  static void Free(TTaskObj* task);
  bool Ended() const { return FEnded; }

  // ---- virtual operations
  virtual void GetPrompt(std::string& text);
  virtual uint8_t GetOptions();
  virtual void SetRefCursor(TTaskCursor* cursor);
  virtual void SetCursor(TTaskCursor* cursor);
  virtual void SetViewInfo(TCursorViewInfo* provider);
  virtual void Click(TObject* sender);
  virtual void DismissHint(TObject* sender);
  virtual void CursorMoved(TTaskCursor* cursor, const TWorldPoint& pos);
  virtual void CursorShown(TTaskCursor* cursor);
  virtual void QueryHandled(TObject* sender, int32_t a, int32_t b, bool& handled);
  virtual void ViewExit(TObject* sender);
  virtual void ViewEnter(TObject* sender);
  virtual void MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TObject* sender, TShiftState shift, int32_t x, int32_t y);

  // ---- overridable operations
  virtual void Activate();
  virtual void Deactivate();
  virtual void HookA() {}
  virtual void HideCursorA() { SetCursorShown(false); }
  virtual void ShowCursorA() { SetCursorShown(true); }
  virtual void HideCursorB() { SetCursorShown(false); }
  virtual void ShowCursorB() { SetCursorShown(true); }
  virtual void Interrupted(TTaskObj* newTask) { (void)newTask; }
  virtual void Resumed() {}
  virtual void HostDeactivated();
  virtual void HostActivated();
  virtual void Cancel(TObject* sender);
  virtual void Accept(TObject* sender);
  virtual void QueryAllowed(int32_t arg, bool& allowed);
  virtual void DotKey(TObject* sender) { (void)sender; }
  virtual void CtrlAKey(TObject* sender) { (void)sender; }
  virtual void HookB() {}
  virtual void Prepare() {}
  virtual void KeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  virtual void KeyPress(TObject* sender, char& key, TShiftState shift);
  virtual void KeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  virtual void ClearManagerAux();
  virtual void ButtonNotify(TMouseButton button, int32_t a, int32_t b, int32_t c);
  virtual void HookC() {}
  virtual void HookD() {}
  virtual void Started() {}
  virtual void MouseClick(TMouseButton button, int32_t a, int32_t b, int32_t c);
  virtual bool ButtonQuery(TMouseButton button, int32_t a, int32_t b, int32_t c);
  virtual void HookE() {}
  virtual void HookF() {}
  virtual void SetCursorShown(bool show);

  // ---- other operations
  void DoCursorMove(TObject* cursor, const TWorldPoint& pos);
  void DoCursorShow(TObject* cursor);
  void DoBeforeHint(TObject* cursor);
  void DoAfterHint(TObject* cursor);
  void LinkCursors(bool link);
  bool HasView();
  TCursorViewControl* ViewControl();
  TSurface ViewCanvas();
  void NotifyHint();
  void StepInPlane(int dx, int dy);
  void StepInDepth(int dz);

  TTaskObj* FPrevious = nullptr;  // the task this one interrupted; not owned
  TTaskManager* FManager = nullptr;  // not owned
  int32_t FLevel;
  uint8_t FSavedMode = 0;
  int32_t FSavedBound = 0;
  bool FLinked = true;
  TCursorViewInfo* FViewInfo = nullptr;  // owned
  TTaskCursor* FCursor = nullptr;        // owned
  TTaskCursor* FRefCursor = nullptr;     // owned
  bool FRefWasShown = false;
  bool FActive = false;
  bool FByMouse = false;
  bool FMoveEnabled = true;
  TShiftState FShift;
  uint8_t FOptions = 0x11;

protected:
  // Only through Free (and TTaskCallScope).
  ~TTaskObj() override;
  // Ends this task (Free(this)).
  void EndTask() { Free(this); }

private:
  friend class TTaskCallScope;
  void EndStep();
  void WireCursor(TTaskCursor* cursor);
  // The base point of the keyboard steps and the step lengths.
  bool StepSetup(TCursorViewRec& r, TWorldPoint& base, double k[3]);
  void StepMove(const TWorldPoint& target);
  // Paints this task's visible buffered cursors again (idempotent).
  void RedrawBufferedCursors();

  bool FEnded = false;
};
