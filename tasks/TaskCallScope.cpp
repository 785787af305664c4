#include "tasks/TaskCallScope.h"

#include <vector>

#include "tasks/TaskObj.h"

namespace {

int depth = 0;
std::vector<TTaskObj*>& Pending() {
  static std::vector<TTaskObj*> tasks;
  return tasks;
}

}  // namespace

TTaskCallScope::TTaskCallScope() { ++depth; }

TTaskCallScope::~TTaskCallScope() {
  if (--depth > 0) return;
  // Deleting runs no framework code (the end steps are done), but take the
  // list first so that nothing can change it under the loop.
  std::vector<TTaskObj*> tasks;
  tasks.swap(Pending());
  for (TTaskObj* t : tasks) delete t;
}

void TTaskCallScope::DeleteLater(TTaskObj* task) {
  if (depth > 0) {
    Pending().push_back(task);
    return;
  }
  delete task;
}

int TTaskCallScope::Depth() { return depth; }
