#pragma once
// The inline parts of TSwapFile (included by SwapStore.h only): the record
// copy, the page lookup and the record accesses inside the window, which are
// the hot path of every caller.

#include <algorithm>
#include <cstdint>
#include <cstring>

// Copies one record. A storage always copies the same size, so the size
// classes below are predicted perfectly, and records up to 64 bytes are moved
// in registers without a call into the library; everything is loaded before
// anything is stored, so the two ends may overlap.
// (GCC cannot know that a caller's record object has exactly N bytes and
// would warn about the branches for other sizes.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
namespace swapcopy {
using V16 = char __attribute__((vector_size(16), aligned(1), may_alias));
using U64 = uint64_t __attribute__((aligned(1), may_alias));
using U32 = uint32_t __attribute__((aligned(1), may_alias));
}  // namespace swapcopy

inline void CopyRecord(void* To, const void* From, size_t N) {
  using namespace swapcopy;
  auto* d = static_cast<char*>(To);
  auto* s = static_cast<const char*>(From);
  if (N > 64) {
    std::memcpy(d, s, N);
  } else if (N > 32) {
    const V16 a = *reinterpret_cast<const V16*>(s), b = *reinterpret_cast<const V16*>(s + 16);
    const V16 c = *reinterpret_cast<const V16*>(s + N - 32), e = *reinterpret_cast<const V16*>(s + N - 16);
    *reinterpret_cast<V16*>(d) = a;
    *reinterpret_cast<V16*>(d + 16) = b;
    *reinterpret_cast<V16*>(d + N - 32) = c;
    *reinterpret_cast<V16*>(d + N - 16) = e;
  } else if (N > 16) {
    const V16 a = *reinterpret_cast<const V16*>(s), b = *reinterpret_cast<const V16*>(s + N - 16);
    *reinterpret_cast<V16*>(d) = a;
    *reinterpret_cast<V16*>(d + N - 16) = b;
  } else if (N >= 8) {
    const uint64_t a = *reinterpret_cast<const U64*>(s), b = *reinterpret_cast<const U64*>(s + N - 8);
    *reinterpret_cast<U64*>(d) = a;
    *reinterpret_cast<U64*>(d + N - 8) = b;
  } else if (N >= 4) {
    const uint32_t a = *reinterpret_cast<const U32*>(s), b = *reinterpret_cast<const U32*>(s + N - 4);
    *reinterpret_cast<U32*>(d) = a;
    *reinterpret_cast<U32*>(d + N - 4) = b;
  } else {
    for (size_t i = 0; i < N; ++i) d[i] = s[i];
  }
}
#pragma GCC diagnostic pop

// The page lookup is inline too: a page found in the cache costs no call.

inline void TSwapFile::SelectPage(int Slot) {
  FCurrentPage = static_cast<uint16_t>(Slot);
  const TSwapPage& page = FPages[Slot - 1];
  FWindowFirst = page.First;
  FWindowLast = page.First + FBlockRecs - 1;
  FCurData = page.Data;
  SyncFast();
}

inline void TSwapFile::SyncFast() {
  if (!FCurData || FWindowFirst < 1) {
    FReadSpan = FWriteSpan = 0;
    return;
  }
  FReadSpan = std::max<int64_t>(0, std::min<int64_t>(FWindowLast, FCount) - FWindowFirst + 1);
  // Record numbers stay within 32 bits on the fast path.
  FWriteSpan = FReadOnly || !FPages[FCurrentPage - 1].Dirty
                   ? 0
                   : std::max<int64_t>(0, std::min<int64_t>(FWindowLast, INT32_MAX) - FWindowFirst + 1);
}

inline int64_t TSwapFile::PageIndex(int64_t I) const {
  // (I - 1) div FBlockRecs by a multiplication: the product is off by at most
  // one below 2^52 records, which the remainder corrects.
  int64_t q = static_cast<int64_t>(static_cast<double>(I - 1) * FInvBlockRecs);
  const int64_t r = (I - 1) - q * FBlockRecs;
  if (r < 0) --q;
  else if (r >= FBlockRecs) ++q;
  return q;
}

inline int TSwapFile::FindSlot(int64_t I) const {
  const int64_t page = PageIndex(I), first = page * FBlockRecs + 1;
  // The hint names the slot that last loaded a page of this hash; it is only
  // trusted when that slot still holds the page.
  if (FSlotHints) {
    const int hint = FSlotHints[page & FSlotHintMask];
    if (hint >= 1 && hint <= FUsedPages && FPages[hint - 1].First == first) return hint;
  }
  for (int s = 1; s <= FUsedPages; ++s)
    if (FPages[s - 1].First == first) return s;
  return 0;
}

inline bool TSwapFile::SelectCached(int64_t I) {
  const int s = FindSlot(I);
  if (s) SelectPage(s);
  return s != 0;
}

// The record accesses inside the window are inline: they are the hot path.

inline bool TSwapFile::ReadRec(int32_t I, void* Rec) {
  const int64_t k = I - FWindowFirst;
  if (static_cast<uint64_t>(k) < static_cast<uint64_t>(FReadSpan)) {
    CopyRecord(Rec, FCurData + k * FRecSize, static_cast<size_t>(FRecSize));
    return true;
  }
  return ReadRecSlow(I, Rec);
}

inline void TSwapFile::WriteRec(int32_t I, const void* Rec) {
  const int64_t k = I - FWindowFirst;
  if (static_cast<uint64_t>(k) < static_cast<uint64_t>(FWriteSpan)) {
    CopyRecord(FCurData + k * FRecSize, Rec, static_cast<size_t>(FRecSize));
    if (I > FCount) FCount = I;
    return;
  }
  WriteRecSlow(I, Rec);
}

inline int32_t TSwapFile::AppendRec(const void* Rec) {
  const int64_t next = FCount + 1, k = next - FWindowFirst;
  if (static_cast<uint64_t>(k) < static_cast<uint64_t>(FWriteSpan)) {
    CopyRecord(FCurData + k * FRecSize, Rec, static_cast<size_t>(FRecSize));
    FCount = next;
    return static_cast<int32_t>(next);
  }
  return AppendRecSlow(Rec);
}
