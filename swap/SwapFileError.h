#pragma once
// ESwapFileError: the one exception the swap-file storage raises for its own
// failures. The message is always "SWAPERROR"; callers tell failures apart by
// ErrorCode:
//   0  memory for a page cache, page table or record buffer could not be had
//      or resized (the storage keeps its previous size);
//   1  a disk file could not be created or opened;
//   2  fewer bytes reached the disk than asked for, or a save found too little
//      free space on the target drive;
//   4  the manager could not secure its file handles at start.
// Failures of the operating system while positioning, reading or closing are
// raised as the framework's EInOutError instead.

#include <cstdint>

#include "framework/Exception.h"

class ESwapFileError : public Exception {
public:
  explicit ESwapFileError(uint8_t code) : Exception("SWAPERROR"), ErrorCode(code) {}
  uint8_t ErrorCode;
};
