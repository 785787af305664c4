#include "swap/SwapMngr.h"

#include <algorithm>

#include "swap/SwapDisk.h"
#include "swap/SwapFileError.h"
#include "swap/SwapStore.h"

namespace {

bool Append(std::vector<TSwapFile*>& list, TSwapFile* file) {
  try {
    list.push_back(file);
    return true;
  } catch (...) {
    return false;
  }
}

void Erase(std::vector<TSwapFile*>& list, TSwapFile* file) {
  // From the back: a swap file made and destroyed in passing (RemoveWhere's
  // scratch store) is the last one registered.
  auto it = std::find(list.rbegin(), list.rend(), file);
  if (it != list.rend()) list.erase(std::next(it).base());
}

}  // namespace

TSwapMngr::TSwapMngr() {
  TSwapDisk& disk = SwapDisk();
  if (disk.HandleCount(HandlesWanted) < HandlesWanted) throw ESwapFileError(4);
  // A share of the budget must fit the process as well as the machine.
  const int64_t usable = std::min(disk.PhysicalMemory(), disk.AvailableAddressSpace());
  FMemoryLimit = std::max(MinMemoryLimit, usable - MemoryReserve);
  FFiles.reserve(200);
  FOpenFiles.reserve(MaxOpenFiles);
}

TSwapMngr::~TSwapMngr() {
  while (!FFiles.empty()) {
    TSwapFile* first = FFiles.front();
    first->Detach();  // unregisters itself
    if (!FFiles.empty() && FFiles.front() == first) FFiles.erase(FFiles.begin());
  }
}

bool TSwapMngr::AddFile(TSwapFile* File) { return Append(FFiles, File); }

void TSwapMngr::RemoveFile(TSwapFile* File) { Erase(FFiles, File); }

bool TSwapMngr::AddOpenFile(TSwapFile* File) { return Append(FOpenFiles, File); }

void TSwapMngr::RemoveOpenFile(TSwapFile* File) { Erase(FOpenFiles, File); }

void TSwapMngr::CheckOpenLimit() {
  if (static_cast<int>(FOpenFiles.size()) < MaxOpenFiles) return;
  TSwapFile* oldest = FOpenFiles.front();
  oldest->ReleaseFile();
  // ReleaseFile unregisters; this keeps the limit even for a swap file that
  // did not consider its file open.
  if (!FOpenFiles.empty() && FOpenFiles.front() == oldest) FOpenFiles.erase(FOpenFiles.begin());
}
