// TSwapFile: the record operations.

#include <algorithm>
#include <memory>

#include "swap/SwapMemory.h"
#include "swap/Swapfile.h"

namespace {

// Records moved per step when copying through a buffer.
int64_t TransferRecs(int32_t recSize) { return recSize > 262144 ? 1 : 262144 / recSize; }

// round(x / 1024) with halves to even, for any sign.
int64_t RoundKiB(int64_t bytes) {
  int64_t q = bytes / 1024, r = bytes % 1024;
  if (r < 0) {
    r += 1024;
    --q;
  }
  if (r > 512 || (r == 512 && (q & 1))) ++q;
  return q;
}

[[noreturn]] void RaiseInOut() {
  const int code = SwapDisk().LastError();
  throw EInOutError("I/O error " + std::to_string(code), code);
}

// A buffer for moving up to Wanted records: the largest of Wanted, Wanted / 2,
// ... records that memory allows, else the storage's own record buffer (one
// record), so that a copy goes slower when memory is short but still goes.
// Recs is 0 only when not even the record buffer exists.
class TRunBuffer {
public:
  TRunBuffer(int64_t wanted, int32_t recSize, uint8_t* recBuffer) {
    for (int64_t k = wanted; k > 1 && !owned_; k /= 2) {
      owned_ = static_cast<uint8_t*>(SwapRealloc(nullptr, static_cast<size_t>(k * recSize)));
      if (owned_) Recs = k;
    }
    Data = owned_ ? owned_ : recBuffer;
    if (!owned_) Recs = recBuffer ? 1 : 0;
  }
  ~TRunBuffer() { SwapFree(owned_); }
  TRunBuffer(const TRunBuffer&) = delete;
  TRunBuffer& operator=(const TRunBuffer&) = delete;

  uint8_t* Data = nullptr;
  int64_t Recs = 0;

private:
  uint8_t* owned_ = nullptr;
};

}  // namespace

void* TSwapFile::GetRecPtr(int32_t I) {
  if (I < 1 || I > FCount) return nullptr;
  if (!InWindow(I) && !SelectCached(I)) Locate(I);
  return RecAddr(I);
}

bool TSwapFile::ReadRecSlow(int64_t I, void* Rec) {
  if (I < 1 || I > FCount) {
    std::memset(Rec, 0, static_cast<size_t>(FRecSize));
    return false;
  }
  try {
    if (InWindow(I)) SyncFast();  // written since the window was chosen
    else if (!SelectCached(I)) Locate(I);
  } catch (...) {
    return false;
  }
  CopyRecord(Rec, RecAddr(I), static_cast<size_t>(FRecSize));
  return true;
}

void TSwapFile::WriteRecSlow(int64_t I, const void* Rec) {
  if (I < 1 || FReadOnly) return;
  if (!InWindow(I) && !SelectCached(I)) Locate(I);
  CopyRecord(RecAddr(I), Rec, static_cast<size_t>(FRecSize));
  if (I > FCount) FCount = I;
  FPages[FCurrentPage - 1].Dirty = true;
  SyncFast();
}

int32_t TSwapFile::AppendRecSlow(const void* Rec) {
  const int64_t next = FCount + 1;
  if (next > INT32_MAX || FReadOnly) return 0;
  WriteRecSlow(next, Rec);
  return FCount == next ? static_cast<int32_t>(next) : 0;
}

bool TSwapFile::ReadRecs(int32_t I, int32_t N, void* Buf) {
  if (I > FCount || I < 1 || N < 1) return false;
  const bool all = N <= FCount - I + 1;
  ReadRange(I, std::min<int64_t>(N, FCount - I + 1), static_cast<uint8_t*>(Buf));
  return all;
}

// Copies N existing records from I on.
void TSwapFile::ReadRange(int64_t I, int64_t N, uint8_t* Buf) {
  if (FInMemory) {
    if (FCurrentPage == 0 || FCount > FWindowLast) Locate(FCount);
    std::memcpy(Buf, RecAddr(I), static_cast<size_t>(N * FRecSize));
    return;
  }
  while (N > 0) {
    if (!InWindow(I)) {
      // A whole page that is not in the cache is read from the file straight
      // into Buf: the file holds its records (or nothing, for records never
      // written, whose content is undefined anyway).
      if (N >= FBlockRecs && (I - 1) % FBlockRecs == 0 && FindSlot(I) == 0) {
        EnsureOpen();
        if (SwapDisk().ReadAt(FHandle, (I - 1) * FRecSize, Buf, FBlockBytes) < 0) RaiseInOut();
        Buf += FBlockBytes;
        I += FBlockRecs;
        N -= FBlockRecs;
        continue;
      }
      Locate(I);
    }
    const int64_t k = std::min(N, FWindowLast - I + 1);
    std::memcpy(Buf, RecAddr(I), static_cast<size_t>(k * FRecSize));
    Buf += k * FRecSize;
    I += k;
    N -= k;
  }
}

void TSwapFile::WriteRecs(int32_t I, int32_t N, const void* Buf) {
  if (I < 1 || N < 1 || FReadOnly) return;
  WriteRange(I, N, static_cast<const uint8_t*>(Buf));
}

void TSwapFile::WriteRange(int64_t I, int64_t N, const uint8_t* Buf) {
  if (FInMemory) {
    const int64_t last = I + N - 1;
    if (FCurrentPage == 0 || last > FWindowLast) Locate(last);
    std::memcpy(RecAddr(I), Buf, static_cast<size_t>(N * FRecSize));
    FPages[0].Dirty = true;
    if (last > FCount) FCount = last;
    SyncFast();
    return;
  }
  while (N > 0) {
    if (!InWindow(I)) Locate(I);
    const int64_t k = std::min(N, FWindowLast - I + 1);
    std::memcpy(RecAddr(I), Buf, static_cast<size_t>(k * FRecSize));
    FPages[FCurrentPage - 1].Dirty = true;
    Buf += k * FRecSize;
    I += k;
    N -= k;
    if (I - 1 > FCount) FCount = I - 1;
    SyncFast();
  }
}

void TSwapFile::CopyFrom(TSwapFile& Source, int32_t S, int32_t N, int32_t D) {
  if (FReadOnly || N < 1 || Source.FRecSize != FRecSize || S > Source.FCount || S < 1 || D < 1) return;
  const int64_t n = std::min<int64_t>(N, Source.FCount - S + 1);
  if (FInMemory && Source.FInMemory) {
    const int64_t last = D + n - 1;
    if (FCurrentPage == 0 || FWindowLast < last) Locate(last);
    if (Source.FCurrentPage == 0 || Source.FWindowLast < Source.FCount) Source.Locate(Source.FCount);
    // Both pages start at record 1; one storage may be both ends.
    std::memmove(FPageBuffer + (D - 1) * static_cast<int64_t>(FRecSize),
                 Source.FPageBuffer + (S - 1) * static_cast<int64_t>(FRecSize), static_cast<size_t>(n * FRecSize));
    if (last > FCount) FCount = last;
    FPages[0].Dirty = true;
    SyncFast();
    return;
  }
  TransferFrom(Source, S, S + n - 1, D);
}

// Copies Source's records S .. E to D .. through a buffer. When Source is this
// storage and the target run starts inside the source run, the run is copied
// from its end so that no record is overwritten before it was read.
void TSwapFile::TransferFrom(TSwapFile& Source, int64_t S, int64_t E, int64_t D) {
  TRunBuffer buffer(std::min(TransferRecs(FRecSize), E - S + 1), FRecSize, FRecBuffer);
  if (buffer.Recs == 0) throw ESwapFileError(0);
  const int64_t K = buffer.Recs;
  uint8_t* buf = buffer.Data;
  const bool backwards = &Source == this && D > S && D <= E;
  if (backwards) {
    for (int64_t end = E; end >= S;) {
      const int64_t k = std::min(K, end - S + 1), s = end - k + 1;
      Source.ReadRange(s, k, buf);
      WriteRange(D + (s - S), k, buf);
      end -= k;
    }
    return;
  }
  for (int64_t s = S, d = D; s <= E; s += K, d += K) {
    const int64_t k = std::min(K, E - s + 1);
    Source.ReadRange(s, k, buf);
    WriteRange(d, k, buf);
  }
}

// Compacts in place: kept records only move to lower or equal numbers, in
// ascending order, a batch at a time (a batch is read out whole before any of
// it is written back). So whatever fails (a read, a write-back, the memory for
// a page), every kept record is still readable: at its new number when it was
// written there, else at its old one, which only a record that was written to
// its new number already can have overwritten. Count is lowered and the file
// cut only at the end.
int32_t TSwapFile::RemoveWhere(uint32_t Extra, TRemovePredicate Pred) {
  if (FCount == 0 || FReadOnly || !Pred) return 0;
  const int64_t count = FCount;
  // Short of memory, smaller batches, down to one record in the record buffer.
  TRunBuffer buffer(std::min<int64_t>(TransferRecs(FRecSize), count), FRecSize, FRecBuffer);
  if (buffer.Recs == 0) throw ESwapFileError(0);
  const int64_t batch = buffer.Recs;
  uint8_t* buf = buffer.Data;
  int64_t kept = 0;
  int32_t removed = 0;
  for (int64_t i = 1; i <= count;) {
    const int64_t k = std::min(batch, count - i + 1);
    ReadRange(i, k, buf);
    // The predicate works on the copy: what it leaves there is what stays.
    int64_t keep = 0;
    for (int64_t j = 0; j < k; ++j) {
      uint8_t* rec = buf + j * FRecSize;
      const auto recNo = static_cast<int32_t>(i + j);
      if (Pred(recNo, rec, Extra)) {
        RecordRemoved(recNo, rec, Extra);
        ++removed;
      } else {
        if (keep != j) std::memmove(buf + keep * FRecSize, rec, static_cast<size_t>(FRecSize));
        ++keep;
      }
    }
    if (keep > 0) WriteRange(kept + 1, keep, buf);
    kept += keep;
    i += k;
  }
  if (removed == 0) return 0;
  FCount = kept;
  SyncFast();
  if (!FInMemory) {
    EnsureOpen();
    if (!SwapDisk().Truncate(FHandle, kept * FRecSize)) RaiseInOut();
  }
  Compact();
  return removed;
}

void TSwapFile::Clear() {
  if (FReadOnly) return;
  ResetPages();
  if (!FInMemory) {
    EnsureOpen();
    if (!SwapDisk().Truncate(FHandle, 0)) RaiseInOut();
  }
  Locate(1);
  Compact();
}

void TSwapFile::SaveToFile(const std::wstring& Name) { SaveRange(Name, 1, FCount); }

void TSwapFile::SaveToFile(const std::wstring& Name, int32_t F, int32_t N) { SaveRange(Name, F, N); }

void TSwapFile::SaveRange(const std::wstring& Name, int64_t F, int64_t N) {
  TSwapDisk& disk = SwapDisk();
  const std::wstring full = disk.FullName(Name);
  if (RoundKiB(static_cast<int64_t>(FRecSize) * N) > FreeKBForFile(full)) throw ESwapFileError(2);
  const TDiskHandle out = disk.Create(full, fmOpenReadWrite | fmShareDenyWrite);
  if (out == InvalidDiskHandle) RaiseInOut();
  try {
    const int64_t last = std::min(F + N - 1, FCount);
    int64_t offset = 0;
    for (int64_t i = std::max<int64_t>(F, 1); i <= last;) {
      if (!InWindow(i)) Locate(i);
      const int64_t k = std::min(BlockStart(i + FBlockRecs) - i, last - i + 1);
      const int64_t bytes = k * FRecSize;
      const int64_t written = disk.WriteAt(out, offset, RecAddr(i), bytes);
      if (written < 0) RaiseInOut();
      // A disk that fills up after the free-space test must not pass for a
      // complete save.
      if (written < bytes) throw ESwapFileError(2);
      offset += bytes;
      i += k;
    }
  } catch (...) {
    disk.Close(out);
    throw;
  }
  if (!disk.Close(out)) RaiseInOut();
}
