#include "swap/SwapMemory.h"

#include <cstdlib>

namespace {

void* LibcRealloc(void* old, std::size_t bytes) { return std::realloc(old, bytes); }

TSwapRealloc CurrentRealloc = &LibcRealloc;

}  // namespace

void* SwapRealloc(void* Old, std::size_t Bytes) {
  if (Bytes == 0) Bytes = 1;  // realloc(p, 0) may free p; we never want that
  return CurrentRealloc(Old, Bytes);
}

void SwapFree(void* Block) { std::free(Block); }

TSwapRealloc SetSwapRealloc(TSwapRealloc Hook) {
  TSwapRealloc previous = CurrentRealloc;
  CurrentRealloc = Hook ? Hook : &LibcRealloc;
  return previous;
}
