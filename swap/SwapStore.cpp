// TSwapFile: construction, the page cache and the disk file.

#include "swap/SwapStore.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "swap/SwapMemory.h"
#include "swap/Swapfile.h"

namespace {

constexpr int32_t DefaultPageBytes = 2048;

TSwapMngr& Manager() {
  if (!SwapMngr) throw std::logic_error("swap-file unit not started");
  return *SwapMngr;
}

// Largest allocation we ask for: beyond it the byte count would not fit the
// address space of the build.
constexpr int64_t MaxAllocBytes = static_cast<int64_t>(
    std::min<uint64_t>(std::numeric_limits<std::ptrdiff_t>::max(), std::numeric_limits<int64_t>::max()));

[[noreturn]] void RaiseInOut() {
  const int code = SwapDisk().LastError();
  throw EInOutError("I/O error " + std::to_string(code), code);
}

}  // namespace

struct TSwapFile::TSetup {
  const std::wstring& Name;
  int32_t RecSize, BlockRecs, Pages;
  uint8_t Kind;
  float MemPercent;
  int64_t Estimate;
};

// ---------------------------------------------------------------- construction

TSwapFile::TSwapFile(int32_t RecSize, int32_t BlockRecs) { ConstructNew(std::wstring(), RecSize, BlockRecs, 0, 0.0f); }

TSwapFile::TSwapFile(TSwapCreateNew, const std::wstring& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
                     float MemPercent) {
  ConstructNew(Name, RecSize, BlockRecs, Pages, MemPercent);
}

TSwapFile::TSwapFile(TSwapOpenReadOnly, const std::wstring& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
                     float MemPercent) {
  ConstructReadOnly(Name, RecSize, BlockRecs, Pages, MemPercent);
}

TSwapFile::~TSwapFile() { Destroy(); }

void TSwapFile::ConstructNew(const std::wstring& Name, int32_t R, int32_t B, int32_t P, float M) {
  TSwapMngr& mngr = Manager();
  if (R < 1) throw ESwapFileError(0);
  FKind = skNew;
  FFileMode = fmOpenReadWrite | fmShareDenyWrite;
  Setup({Name, R, B, P, skNew, M, static_cast<int64_t>(std::max(B, 0)) * std::max(P, 0)});
  try {
    mngr.CheckOpenLimit();
    if (!FInMemory) {
      TSwapDisk& disk = SwapDisk();
      std::wstring name = Name;
      // No caller makes paged storage without a name; a temporary one serves.
      if (name.empty() && !disk.MakeTempName(WideName(SwapFilePrefix), name)) throw ESwapFileError(1);
      FHandle = disk.Create(name, FFileMode);
      if (FHandle == InvalidDiskHandle) {
        if (Name.empty()) disk.Delete(name);
        throw ESwapFileError(1);
      }
      FFileName = name;
      FFileExists = FFileOpen = true;
      mngr.AddOpenFile(this);
    }
    mngr.AddFile(this);
    Locate(1);
  } catch (...) {
    Destroy();
    throw ESwapFileError(1);
  }
}

void TSwapFile::ConstructReadOnly(const std::wstring& Name, int32_t R, int32_t B, int32_t P, float M) {
  TSwapMngr& mngr = Manager();
  if (R < 1) throw ESwapFileError(0);
  FKind = skReadOnly;
  FReadOnly = true;
  FFileMode = fmOpenRead | fmShareDenyWrite;
  try {
    mngr.CheckOpenLimit();
    TSwapDisk& disk = SwapDisk();
    const int64_t size = std::max<int64_t>(disk.FileSize(Name), 0);
    Setup({Name, R, B, P, skReadOnly, M, size / R});
    FHandle = disk.Open(Name, FFileMode);
    if (FHandle == InvalidDiskHandle) throw ESwapFileError(1);
    FFileName = Name;
    FFileExists = FFileOpen = true;
    mngr.AddFile(this);
    mngr.AddOpenFile(this);
    const int64_t bytes = disk.Size(FHandle);
    if (bytes < 0) RaiseInOut();
    FCount = bytes / R;
    SyncFast();
    Locate(1);
  } catch (...) {
    // Unreported: the storage is left empty. The file must not stay open or
    // listed as open, or the manager would keep a stale entry.
    if (FFileOpen) {
      SwapDisk().Close(FHandle);
      FHandle = InvalidDiskHandle;
      FFileOpen = false;
      mngr.RemoveOpenFile(this);
    }
    FFileExists = false;
    FCount = 0;
    if (FPages) ResetPages();
    SyncFast();
  }
}

void TSwapFile::Setup(const TSetup& S) {
  const int32_t R = S.RecSize;
  const int32_t B = std::max(S.BlockRecs, 0);
  const int32_t P = std::max(S.Pages, 0);
  const int64_t E = S.Estimate;
  const float M = S.MemPercent;
  const int32_t defaultRecs = std::max(1, DefaultPageBytes / R);

  bool inMemory;
  int64_t pageRecs, pageCount;
  if (P == 0 || B == 0 || (M > 0 && E == 0)) {
    inMemory = true;
    pageCount = 1;
    pageRecs = (S.Kind == skReadOnly && E == 0) ? 1 : (B != 0 ? B : defaultRecs);
  } else if (M > 0) {
    const double want = static_cast<double>(M) / 100.0 * static_cast<double>(Manager().MemoryLimit());
    const int64_t share = want >= 9.0e18 ? INT64_MAX : std::llrint(want);  // round half to even
    if (E <= share / R) {  // E * R <= share, without overflow
      inMemory = true;
      pageCount = 1;
      pageRecs = std::max<int64_t>(E, 1);
    } else {
      inMemory = false;
      pageRecs = B;
      pageCount = std::max<int64_t>(1, (share / R) / B);
    }
  } else {
    inMemory = false;
    pageRecs = B;
    pageCount = P;
  }
  // The slot count is 16 bits wide: a large memory share buys as many as fit.
  pageCount = std::min<int64_t>(pageCount, UINT16_MAX);
  if (pageRecs > INT32_MAX || pageRecs * R > MaxAllocBytes / pageCount) throw ESwapFileError(0);

  FInMemory = inMemory;
  FGrowStep = FShrinkSlack = R <= 102 ? DefaultPageBytes / R : std::max(1, 8192 / R);
  FReadOnly = S.Kind == skReadOnly;
  FFileExists = FFileOpen = false;
  FRecSize = R;
  FInitialBlockRecs = FBlockRecs = FPageCapacity = static_cast<int32_t>(pageRecs);
  FBlockBytes = pageRecs * R;
  FPageCount = static_cast<uint16_t>(pageCount);
  FFileName = S.Name;

  FInvBlockRecs = 1.0 / static_cast<double>(pageRecs);
  int64_t hintCount = 0;
  if (!inMemory && FPageCount > 1) {
    hintCount = 2;
    while (hintCount < 2 * int64_t{FPageCount}) hintCount *= 2;
  }
  auto* pages = static_cast<TSwapPage*>(SwapRealloc(nullptr, sizeof(TSwapPage) * FPageCount));
  auto* rec = static_cast<uint8_t*>(SwapRealloc(nullptr, static_cast<size_t>(R)));
  auto* hints = hintCount ? static_cast<uint16_t*>(SwapRealloc(nullptr, sizeof(uint16_t) * hintCount)) : nullptr;
  auto* buffer = pages && rec && (hints || !hintCount)
                     ? static_cast<uint8_t*>(SwapRealloc(nullptr, static_cast<size_t>(FBlockBytes * FPageCount)))
                     : nullptr;
  if (!buffer) {
    SwapFree(pages);
    SwapFree(rec);
    SwapFree(hints);
    throw ESwapFileError(0);
  }
  if (hints) std::fill(hints, hints + hintCount, uint16_t{0});
  FSlotHints = hints;
  FSlotHintMask = hintCount - 1;
  FPages = pages;
  FRecBuffer = rec;
  FPageBuffer = buffer;
  for (int s = 0; s < FPageCount; ++s) FPages[s] = TSwapPage{FPageBuffer + s * FBlockBytes, 0, false};
  ResetPages();
  try {
    BufferChanged();
  } catch (...) {
    throw ESwapFileError(0);
  }
}

void TSwapFile::Destroy() noexcept {
  SwapFree(FRecBuffer);
  SwapFree(FPageBuffer);
  SwapFree(FPages);
  SwapFree(FSlotHints);
  FRecBuffer = FPageBuffer = nullptr;
  FPages = nullptr;
  FSlotHints = nullptr;
  FUsedPages = FCurrentPage = 0;
  ClearWindow();
  if (FFileExists) {
    TSwapDisk& disk = SwapDisk();
    if (FFileOpen) {
      disk.Close(FHandle);
      FHandle = InvalidDiskHandle;
      FFileOpen = false;
      if (SwapMngr) SwapMngr->RemoveOpenFile(this);
    }
    // Changed pages are not written: a temporary file goes anyway, and
    // read-only storage has nothing to write.
    if (FKind == skNew) disk.Delete(FFileName);
    FFileExists = false;
  }
  if (SwapMngr) SwapMngr->RemoveFile(this);
}

void TSwapFile::Detach() noexcept {
  Destroy();
  // Empty and read-only: every operation finds nothing to do, and none needs
  // the page table or the manager.
  FCount = 0;
  FReadOnly = true;
  FInMemory = false;
  FPageCount = 0;
  FBlockRecs = FInitialBlockRecs = FPageCapacity = 0;
  FBlockBytes = 0;
  SyncFast();
}

// ------------------------------------------------------------------ page cache

void TSwapFile::ResetPages() {
  FNextVictim = 1;
  FUsedPages = 0;
  FCurrentPage = 0;
  FCount = 0;
  ClearWindow();
}

void TSwapFile::ClearWindow() {
  FWindowFirst = FWindowLast = 0;
  FCurData = nullptr;
  SyncFast();
}

void TSwapFile::Locate(int64_t I) {
  if (SelectCached(I)) return;
  if (FInMemory && (FBlockRecs < FCount || FBlockRecs < I)) {
    const int64_t last = FWindowLast;
    GrowMemory(std::max({FCount - FBlockRecs, I - FBlockRecs, static_cast<int64_t>(FGrowStep)}));
    // Only read-only storage holds records that are not in memory yet.
    if (last < FCount) LoadPage(I);
    return;
  }
  LoadPage(I);
}

void TSwapFile::LoadPage(int64_t I) {
  int slot;
  if (FInMemory) {
    slot = 1;
  } else if (FUsedPages < FPageCount) {
    slot = FUsedPages + 1;
  } else {
    slot = FNextVictim;
    FlushPage(slot);  // may raise; the slot is then unchanged and still dirty
    FNextVictim = static_cast<uint16_t>(slot == FPageCount ? 1 : slot + 1);
  }
  const int64_t first = BlockStart(I);
  TSwapPage& page = FPages[slot - 1];
  // Until the read has succeeded the slot holds no valid page.
  page.First = 0;
  page.Dirty = false;
  if (slot == FCurrentPage) {
    FCurrentPage = 0;
    ClearWindow();
  }
  if (FFileExists) {
    EnsureOpen();
    // Reading past the end of the file is no error: the rest of the slot
    // keeps what it held.
    if (SwapDisk().ReadAt(FHandle, (first - 1) * FRecSize, page.Data, FBlockBytes) < 0) RaiseInOut();
  }
  page.First = first;
  if (FSlotHints) FSlotHints[PageIndex(I) & FSlotHintMask] = static_cast<uint16_t>(slot);
  if (FInMemory) FUsedPages = 1;
  else if (slot > FUsedPages) FUsedPages = static_cast<uint16_t>(slot);
  SelectPage(slot);
}

void TSwapFile::FlushPage(int Slot) {
  if (FReadOnly) return;
  TSwapPage& page = FPages[Slot - 1];
  if (page.First < 1) return;
  if (!FInMemory && (!page.Dirty || page.First > FCount)) return;
  EnsureOpen();
  const int64_t recs = std::max<int64_t>(0, std::min<int64_t>(FCount - page.First + 1, FBlockRecs));
  const int64_t bytes = recs * FRecSize;
  if (SwapDisk().WriteAt(FHandle, (page.First - 1) * FRecSize, page.Data, bytes) < bytes) throw ESwapFileError(2);
  page.Dirty = false;
  if (Slot == FCurrentPage) SyncFast();
}

void TSwapFile::FlushAll() {
  if (FReadOnly) return;
  for (int s = 1; s <= FUsedPages; ++s)
    if (FInMemory || FPages[s - 1].Dirty) FlushPage(s);
}

void TSwapFile::GrowMemory(int64_t D) {
  if (FInMemory) ResizeMemory(FBlockRecs + D);
}

void TSwapFile::ShrinkMemory(int64_t D) {
  if (!FInMemory || FBlockRecs <= FInitialBlockRecs) return;
  ResizeMemory(FBlockRecs - std::min<int64_t>(D, FBlockRecs - FInitialBlockRecs));
}

void TSwapFile::ResizeMemory(int64_t NewRecs) {
  if (NewRecs < 1 || NewRecs > INT32_MAX || NewRecs * FRecSize > MaxAllocBytes) throw ESwapFileError(0);
  if (NewRecs > FPageCapacity || NewRecs < FBlockRecs) {
    // Growth reserves half as much again, so that appending one record at a
    // time does not copy the whole page every FGrowStep records; shrinking
    // gives the memory back exactly.
    int64_t reserve = NewRecs;
    if (NewRecs > FPageCapacity)
      reserve = std::max(NewRecs, std::min<int64_t>({FPageCapacity + FPageCapacity / 2, INT32_MAX, MaxAllocBytes / FRecSize}));
    void* buffer = SwapRealloc(FPageBuffer, static_cast<size_t>(reserve * FRecSize));
    if (!buffer && reserve > NewRecs) {
      reserve = NewRecs;
      buffer = SwapRealloc(FPageBuffer, static_cast<size_t>(reserve * FRecSize));
    }
    if (!buffer) throw ESwapFileError(0);  // the old buffer and size stay
    FPageBuffer = static_cast<uint8_t*>(buffer);
    FPageCapacity = static_cast<int32_t>(reserve);
  }
  FPages[0].Data = FPageBuffer;
  FPages[0].First = 1;
  FBlockRecs = static_cast<int32_t>(NewRecs);
  FInvBlockRecs = 1.0 / static_cast<double>(NewRecs);
  FBlockBytes = NewRecs * FRecSize;
  FUsedPages = 1;
  SelectPage(1);
  // Raised once the storage is consistent again, so that a failing handler
  // cannot leave the page table pointing at the old buffer.
  try {
    BufferChanged();
  } catch (...) {
    throw ESwapFileError(0);
  }
}

void TSwapFile::Compact() {
  if (FInMemory && FInitialBlockRecs < FBlockRecs && FBlockRecs - FCount > FShrinkSlack)
    ShrinkMemory(std::min<int64_t>(FBlockRecs - FCount, FBlockRecs - FInitialBlockRecs));
}

// ------------------------------------------------------------------- disk file

void TSwapFile::EnsureOpen() {
  if (FFileOpen) return;
  TSwapDisk& disk = SwapDisk();
  try {
    Manager().CheckOpenLimit();
    if (FFileExists) {
      FHandle = disk.Open(FFileName, FFileMode);
    } else {
      std::wstring name;
      if (!disk.MakeTempName(WideName(SwapFilePrefix), name)) throw ESwapFileError(1);
      FHandle = disk.Create(name, FFileMode);
      if (FHandle == InvalidDiskHandle) {
        disk.Delete(name);  // the platform made it along with the name
        throw ESwapFileError(1);
      }
      FFileName = name;
      FFileExists = true;
    }
  } catch (...) {
    FHandle = InvalidDiskHandle;
    throw ESwapFileError(1);
  }
  if (FHandle == InvalidDiskHandle) throw ESwapFileError(1);
  FFileOpen = true;
  Manager().AddOpenFile(this);
}

void TSwapFile::ReleaseFile() {
  if (!FFileOpen) return;
  const TDiskHandle handle = FHandle;
  FHandle = InvalidDiskHandle;
  FFileOpen = false;
  if (SwapMngr) SwapMngr->RemoveOpenFile(this);
  if (!SwapDisk().Close(handle)) RaiseInOut();
}

void TSwapFile::Commit() {
  if (FReadOnly) return;
  FlushAll();
  EnsureOpen();
  TSwapDisk& disk = SwapDisk();
  const int64_t size = disk.Size(FHandle);
  if (size < 0) RaiseInOut();
  if (size > FCount * FRecSize && !disk.Truncate(FHandle, FCount * FRecSize)) RaiseInOut();
  ReleaseFile();
  EnsureOpen();
  Compact();
}

// ---------------------------------------------------------- virtual operations

void TSwapFile::RecordRemoved(int32_t, void*, uint32_t) {}

void TSwapFile::BufferChanged() {
  if (OnBufferChanged) OnBufferChanged(this, FPageBuffer);
}
