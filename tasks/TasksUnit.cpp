#include "tasks/TasksUnit.h"

#include "forms/frDefaul.h"
#include "framework/Application.h"
#include "framework/UnitTrace.h"
#include "tasks/CursorInput.h"
#include "tasks/TaskManager.h"
#include "tasks/TaskPlatformWin32.h"

namespace {

TWin32TaskPlatform platform;

// The unit's connections to the library forms and the application.
class TTaskUnitLinks : public TObject {
public:
  void MenuLoopEnter(TObject*) {
    if (TaskManager) TaskManager->HostDeactivate();
  }
  void MenuLoopExit(TObject*) {
    if (TaskManager) TaskManager->HostActivate();
  }
};

TTaskUnitLinks links;

}  // namespace

void TasksUnitStart() {
  SetTaskPlatform(&platform);
  OnFormMenuLoopEnter = TNotifyEvent::Of<&TTaskUnitLinks::MenuLoopEnter>(&links);
  OnFormMenuLoopExit = TNotifyEvent::Of<&TTaskUnitLinks::MenuLoopExit>(&links);
  try {
    TaskManagerStart();
  } catch (...) {
    // A start that fails leaves nothing connected.
    OnFormMenuLoopEnter = TNotifyEvent();
    OnFormMenuLoopExit = TNotifyEvent();
    SetTaskPlatform(nullptr);
    throw;
  }
  UnitTrace("Tasks: started");
}

TWin32TaskPlatform& Win32TaskPlatform() { return platform; }

void TasksUnitStop() {
  TaskManagerStop();
  OnFormMenuLoopEnter = TNotifyEvent();
  OnFormMenuLoopExit = TNotifyEvent();
  if (platform.HintsOff) platform.HintsOff();
  platform.HintFactory = nullptr;
  platform.HintHandOver = nullptr;
  platform.HintsOff = nullptr;
  SetTaskPlatform(nullptr);
  UnitTrace("Tasks: stopped");
}
