#pragma once
// The allocator under every buffer of the swap-file storage (page caches, page
// tables, record buffers, transfer buffers). It is replaceable so that tests
// can make allocations fail; a failed allocation returns nullptr and leaves
// the old block untouched, exactly like realloc.

#include <cstddef>

// Resizes Old to Bytes (Old == nullptr allocates). Returns nullptr on failure.
using TSwapRealloc = void* (*)(void* Old, std::size_t Bytes);

void* SwapRealloc(void* Old, std::size_t Bytes);
void SwapFree(void* Block);

// Installs Hook (nullptr restores the C library's realloc); returns the hook
// that was in use. Blocks are always released with free().
TSwapRealloc SetSwapRealloc(TSwapRealloc Hook);
