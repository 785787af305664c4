#include "swap/SwapDisk.h"

namespace {
TSwapDisk* Current = nullptr;
}

TSwapDisk& SwapDisk() { return Current ? *Current : PlatformSwapDisk(); }

TSwapDisk* SetSwapDisk(TSwapDisk* Disk) {
  TSwapDisk* previous = Current ? Current : &PlatformSwapDisk();
  Current = Disk;
  return previous;
}
