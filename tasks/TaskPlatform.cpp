#include "tasks/TaskPlatform.h"

namespace {

TNullTaskPlatform nullPlatform;
TTaskPlatform* current = &nullPlatform;

}  // namespace

TTaskPlatform& TaskPlatform() { return *current; }

TTaskPlatform* SetTaskPlatform(TTaskPlatform* platform) {
  TTaskPlatform* previous = current == &nullPlatform ? nullptr : current;
  current = platform ? platform : &nullPlatform;
  return previous;
}

std::unique_ptr<TCursorBuffer> TNullTaskPlatform::CreateBuffer() { return std::make_unique<TValueBuffer>(); }
std::unique_ptr<TCursorTimer> TNullTaskPlatform::CreateTimer() { return std::make_unique<TValueTimer>(); }
