#pragma once
// TTaskManager: the stack of tasks. The task on top (FCurrent) is current;
// the tasks below it are suspended (FSuspended, bottom first; an entry may be
// null) and resume in order as the tasks above them end. Starting a task ends
// every task of the same or a higher level first, so going up the stack the
// levels strictly increase: a higher level stacks a sub-task, the same level
// replaces the current task.
//
// Start modes: FMode 0 lets any task start, 1 only tasks above FBound, any
// other value none; FEnabled false refuses every task. A refused task is
// freed. The framework writes FMode and FBound only in Pop, from the ending
// task's FSavedMode and FSavedBound; the host writes them otherwise.
//
// The one manager is TaskManager, made when the task unit starts (it starts a
// base task of level -1 at once) and destroyed when it stops.

#include <cstdint>
#include <vector>

#include "framework/Object.h"

class TTaskObj;

class TTaskManager : public TObject {
public:
  TTaskManager();
  ~TTaskManager() override;

  // Starts a task: refused (freed) unless CanStart its level; a task that is
  // already on a stack, or ended, is ignored. Returns whether it was pushed.
  bool Start(TTaskObj* task);
  void Push(TTaskObj* task);
  // Ends every task of this level or higher (never the bottom one).
  void EndTasks(int32_t level);
  void Pop();
  void EndAll();
  bool CanStart(int32_t level) const;
  void ActivateCurrent();
  void DeactivateCurrent();
  void HostDeactivate();
  void HostActivate();

  TTaskObj* Current() const { return FCurrent; }

  uint8_t FMode = 0;
  int32_t FBound = -1;
  std::vector<TTaskObj*> FSuspended;
  TTaskObj* FCurrent = nullptr;
  uint32_t FAux = 0;
  bool FEnabled = true;
};

// The one manager; null outside the task unit's start .. stop.
extern TTaskManager* TaskManager;

// Makes TaskManager (with its base task).
void TaskManagerStart();
// Ends every task without notifying the host's hint handler, restores mouse
// acceleration, destroys TaskManager.
void TaskManagerStop();
// True while the task unit stops: host notifications are skipped.
bool TaskUnitClosing();
