#include "tasks/TaskManager.h"

#include "tasks/CursorInput.h"
#include "tasks/TaskCallScope.h"
#include "tasks/TaskObj.h"

TTaskManager* TaskManager = nullptr;

namespace {
bool closing = false;
}  // namespace

TTaskManager::TTaskManager() {
  FEnabled = true;
  FBound = -1;
  FMode = 0;
  Start(new TTaskObj(-1));
  FAux = 0;
}

TTaskManager::~TTaskManager() {
  try {
    EndAll();
  } catch (...) {
    // A task's handler failed while the manager went away; the rest are
    // deleted below all the same.
  }
}

bool TTaskManager::CanStart(int32_t level) const { return (FMode == 0 || (FMode == 1 && level > FBound)) && FEnabled; }

bool TTaskManager::Start(TTaskObj* task) {
  TTaskCallScope scope;
  if (!task || task->FManager || task->Ended()) return false;
  if (!CanStart(task->FLevel)) {
    TTaskObj::Free(task);
    return false;
  }
  Push(task);
  task->Started();
  // A task that ended in Started has been popped, and the one below it
  // activated already.
  if (FCurrent == task && !task->Ended()) task->Activate();
  return true;
}

void TTaskManager::Push(TTaskObj* task) {
  TTaskCallScope scope;
  EndTasks(task->FLevel);
  DeactivateCurrent();
  if (FCurrent) FCurrent->Interrupted(task);
  FSuspended.push_back(FCurrent);
  task->FPrevious = FCurrent;
  FCurrent = task;
  task->FManager = this;
}

void TTaskManager::EndTasks(int32_t level) {
  TTaskCallScope scope;
  const bool wasActive = FCurrent ? FCurrent->FActive : true;
  while (!FSuspended.empty() && FCurrent && FCurrent->FLevel >= level) {
    TTaskObj* ending = FCurrent;
    TTaskObj::Free(ending);
    if (FCurrent == ending) break;  // it could not be taken off (already ending)
  }
  if (!wasActive) DeactivateCurrent();
}

void TTaskManager::Pop() {
  TTaskCallScope scope;
  if (!FSuspended.empty()) {
    TTaskObj* ending = FCurrent;
    if (FMode != 0 && ending && ending->FLevel == FBound) {
      FBound = ending->FSavedBound;
      FMode = ending->FSavedMode;
    }
    FCurrent = FSuspended.back();
    FSuspended.pop_back();
  } else {
    FCurrent = nullptr;
  }
  if (FCurrent) FCurrent->Resumed();
  ActivateCurrent();
}

void TTaskManager::EndAll() {
  TTaskCallScope scope;
  while (!FSuspended.empty() && FCurrent) {
    TTaskObj* ending = FCurrent;
    TTaskObj::Free(ending);
    if (FCurrent == ending) break;
  }
  if (FCurrent) {
    TTaskObj* last = FCurrent;
    TTaskObj::Free(last);
    FCurrent = nullptr;
  }
}

void TTaskManager::ActivateCurrent() {
  TTaskCallScope scope;
  if (FCurrent) FCurrent->Activate();
}

void TTaskManager::DeactivateCurrent() {
  TTaskCallScope scope;
  if (FCurrent) FCurrent->Deactivate();
  MouseAccelRestore();
}

void TTaskManager::HostDeactivate() {
  TTaskCallScope scope;
  if (FCurrent) FCurrent->HostDeactivated();
  MouseAccelRestore();
}

void TTaskManager::HostActivate() {
  TTaskCallScope scope;
  if (FCurrent) FCurrent->HostActivated();
}

void TaskManagerStart() {
  if (!TaskManager) TaskManager = new TTaskManager;
}

void TaskManagerStop() {
  closing = true;
  TTaskManager* m = TaskManager;
  TaskManager = nullptr;
  delete m;
  MouseAccelRestore();
  closing = false;
}

bool TaskUnitClosing() { return closing; }
