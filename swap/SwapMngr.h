#pragma once
// TSwapMngr: the process-wide register of swap files (reached through the
// global SwapMngr, see Swapfile.h). It
//  - knows every swap file (FFiles, in order of registration); when it is
//    destroyed itself it detaches the ones still registered: closes their disk
//    files, deletes their temporary files and frees their memory. It owns no
//    swap file and frees none: their owners destroy them, before or after;
//  - keeps at most MaxOpenFiles disk files of all swap files open at once:
//    FOpenFiles lists the swap files whose disk file is open, oldest opening
//    first, and CheckOpenLimit closes the oldest one (through its own
//    ReleaseFile) before a new opening would exceed the limit; the swap file
//    reopens its file by itself on its next disk access;
//  - fixes the memory budget once, at creation: the physical memory or the
//    process's free address space, whichever is smaller, less 20 MiB, and at
//    least 12 MiB. Nothing watches memory afterwards.
//
// The manager only refers to swap files; each swap file registers itself once
// while it is constructed and unregisters while it is destroyed, and keeps
// the calling order CheckOpenLimit, open, AddOpenFile; close, RemoveOpenFile.

#include <cstdint>
#include <vector>

#include "framework/Object.h"

class TSwapFile;

class TSwapMngr : public TObject {
public:
  static constexpr int MaxOpenFiles = 50;
  static constexpr uint32_t HandlesWanted = 60;
  static constexpr int64_t MinMemoryLimit = 12 * 1024 * 1024;
  static constexpr int64_t MemoryReserve = 20 * 1024 * 1024;

  // Raises ESwapFileError code 4 when the platform grants fewer than
  // HandlesWanted file handles.
  TSwapMngr();
  // Detaches every swap file still registered (deleting their temporary files).
  ~TSwapMngr() override;

  // Registration; the results are false only when the list could not grow.
  bool AddFile(TSwapFile* File);
  void RemoveFile(TSwapFile* File);
  bool AddOpenFile(TSwapFile* File);
  void RemoveOpenFile(TSwapFile* File);
  // Before every opening of a disk file: with MaxOpenFiles open, closes the
  // disk file of the swap file that opened its file earliest.
  void CheckOpenLimit();

  // The memory budget in bytes, fixed when the manager is made (read only).
  int64_t MemoryLimit() const { return FMemoryLimit; }
  int64_t FMemoryLimit = MinMemoryLimit;

  int FileCount() const { return static_cast<int>(FFiles.size()); }
  TSwapFile* File(int Index) const { return FFiles[Index]; }
  int OpenFileCount() const { return static_cast<int>(FOpenFiles.size()); }
  TSwapFile* OpenFile(int Index) const { return FOpenFiles[Index]; }

private:
  std::vector<TSwapFile*> FFiles;
  std::vector<TSwapFile*> FOpenFiles;
};
