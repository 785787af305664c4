#pragma once
// The swap-file storage unit: fixed-size record stores kept in memory or
// paged over a disk file (TSwapFile), their process-wide manager (SwapMngr),
// and the file utilities that go with them.
//
// Start and stop. The program entry calls, in this order:
//   framework start;
//   SwapfileUnitStart()        creates SwapMngr (before any swap file exists);
//   ... the other library units ...;
//   GdiObjectStoresStart()     (GdiObjectStores.h) the two in-memory stores of
//                              graphics-object handles;
// and at the end, in reverse:
//   GdiObjectStoresStop()      deletes the objects they hold, destroys them;
//   ...;
//   SwapfileUnitStop()         destroys SwapMngr, which detaches every swap
//                              file still registered (closing and deleting
//                              their temporary files, freeing their memory;
//                              their owners still destroy them), then empties
//                              SwapFilePrefix;
//   framework stop.

#include <cstdint>
#include <string>

#include "swap/SwapFileError.h"
#include "swap/SwapMngr.h"
#include "swap/SwapStore.h"

// The one manager; null outside SwapfileUnitStart .. SwapfileUnitStop.
extern TSwapMngr* SwapMngr;
// Prefix of temporary swap-file names ("SWP").
extern std::string SwapFilePrefix;

// Creates SwapMngr; ESwapFileError code 4 (and no manager) when the platform
// grants too few file handles.
void SwapfileUnitStart();
// Destroys SwapMngr, detaching every swap file still registered; empties the
// prefix.
void SwapfileUnitStop();

// Names are wide and lossless (SwapDisk.h); each function also takes a code
// page 1250 name, converted exactly.

// Size in bytes of the first directory entry matching Name (wildcards
// allowed); 0 when none matches; 2,147,483,647 for entries of 2 GiB or more.
int32_t FileSizeByName(const std::wstring& Name);
int32_t FileSizeByName(const std::string& Name);
// 1: Name does not exist or can be opened for writing; 0: it can only be read;
// 2: it can be neither.
int FileAccessStatus(const std::wstring& Name);
int FileAccessStatus(const std::string& Name);
// Free KiB on drive Drive (0: the current drive, 1: A, 2: B, ...); 0 when it
// cannot be determined, 2,147,483,647 when more is free.
int32_t DiskFreeKB(int Drive);
// Free KiB (64-bit) on the volume that would hold the file FullName: its
// drive when the name starts with a drive letter, else its directory.
int64_t FreeKBForFile(const std::wstring& FullName);
// Copies Source to Target through a read-only swap file, checking the free
// space first. False when Source does not exist or cannot be opened, Target
// exists and cannot be written, both name the same file, or the copy fails.
bool CopyFileChecked(const std::wstring& Source, const std::wstring& Target);
bool CopyFileChecked(const std::string& Source, const std::string& Target);
