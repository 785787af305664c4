#pragma once
// TTaskCallScope: marks a call into the task framework. A task that ends
// while any such call is running (for example from inside its own handler)
// has its end step run at once, but is deleted only when the outermost call
// returns, so the frames still running on it stay valid. Framework entry
// points open a scope themselves; a host that calls a task's operations
// directly may open one around the call as well.
//
// One interface thread: the depth and the list are process-wide.

class TTaskObj;

class TTaskCallScope {
public:
  TTaskCallScope();
  ~TTaskCallScope();
  TTaskCallScope(const TTaskCallScope&) = delete;
  TTaskCallScope& operator=(const TTaskCallScope&) = delete;

  // Deletes task when the outermost scope closes (at once without a scope).
  static void DeleteLater(TTaskObj* task);
  static int Depth();
};
