#pragma once
// TSwapFile: a sequence of fixed-size records numbered from 1, kept either
// wholly in memory or in a paged cache over a disk file. The form is chosen
// once, at construction, and never changes.
//
// Forms:
//  - in-memory: one page slot holding records 1 .. FBlockRecs; the page grows
//    (by at least FGrowStep records) and shrinks (when more than FShrinkSlack
//    records are unused, never below FInitialBlockRecs) with the data. A disk
//    file, made in the temporary directory, exists only once the records have
//    been written back explicitly (FlushAll, Commit).
//  - paged: FPageCount slots of FBlockRecs consecutive records each, cut out of
//    one allocation and replaced round robin; a changed slot is written back
//    before its slot is reused. The disk file is the storage's own scratch
//    file (created at construction, deleted at destruction) or, for read-only
//    storage, an existing file that stays.
//
// Disk format: records back to back, no header; record n occupies bytes
// (n - 1) * RecSize .. n * RecSize - 1. Pages are written back only up to
// record Count; Commit also cuts the file there.
//
// Invariants:
//  - slots 1 .. FUsedPages are in use, each holding a different page whose
//    first record is 1 + a multiple of FBlockRecs; in-memory storage uses slot
//    1 only, starting at record 1;
//  - the window [FWindowFirst, FWindowLast] is the record range of the current
//    slot FCurrentPage and FCurData its first byte; all three are 0 / null
//    when no slot is current. A record access inside the window touches no
//    other state;
//  - FFileOpen implies FFileExists and presence in SwapMngr's open list;
//  - in-memory: the page buffer has room for FPageCapacity >= FBlockRecs
//    records; FBlockRecs is the page's size as every operation sees it.
//
// Record numbers given to operations are signed 32-bit from 1; Count is held
// in 64 bits. Everything runs on one thread; nothing is locked.
//
// File names are wide and lossless (SwapDisk.h) from where they come (the
// caller, the temporary folder) to the file calls. Every operation that takes
// a name also takes it as code page 1250 text, converted exactly.
//
// Construction (each variant registers the storage with SwapMngr, which must
// exist: see SwapfileUnitStart in Swapfile.h):
//   TSwapFile s(52);                                  // Create(R)
//   TSwapFile s(52, 100);                             // Create(R, B)
//   TSwapFile s(swCreateNew, name, R, B, P, M);       // CreateNew
//   TSwapFile s(swOpenReadOnly, name, R, B, P, M);    // OpenReadOnly
// or through the factories of the same names, which return a new object that
// the caller owns and destroys with delete:
//   TSwapFile* s = TSwapFile::CreateNew(name, R, B, P, M);
// The caller owns the storage however it holds it (on the stack, in a
// std::unique_ptr, by a raw pointer). A storage still alive when the unit
// stops is detached by the manager: its disk file closed (a temporary one
// deleted), its memory freed; it is then empty and read-only until its owner
// destroys it.

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "framework/Event.h"
#include "framework/Object.h"
#include "swap/SwapDisk.h"

struct TSwapCreateNew {
  explicit TSwapCreateNew() = default;
};
struct TSwapOpenReadOnly {
  explicit TSwapOpenReadOnly() = default;
};
inline constexpr TSwapCreateNew swCreateNew{};
inline constexpr TSwapOpenReadOnly swOpenReadOnly{};

// One page slot.
struct TSwapPage {
  uint8_t* Data;  // the slot's bytes inside the page buffer
  int64_t First;  // first record held; 0 while the slot holds no valid page
  bool Dirty;     // changed since loaded or written back
};

class TSwapFile : public TObject {
public:
  // Predicate of RemoveWhere: (record number, record bytes, extra value);
  // true removes the record. What it leaves in the bytes is what stays.
  using TRemovePredicate = TEvent<bool(int32_t RecNo, void* Rec, uint32_t Extra)>;
  // Raised with the page buffer after it was allocated or moved.
  using TBufferChangedEvent = TEvent<void(TObject* Sender, void* Buffer)>;

  static constexpr uint8_t skNew = 0;       // own temporary storage
  static constexpr uint8_t skReadOnly = 2;  // over an existing file, which stays

  // Create(R, B): in-memory storage of B records initially; B = 0 gives
  // max(1, 2048 div R). Create(R) is Create(R, 0).
  explicit TSwapFile(int32_t RecSize, int32_t BlockRecs = 0);
  // CreateNew: new storage under Name, paged with P pages of B records unless
  // the parameters or the memory budget choose in-memory form (M: percentage
  // of the manager's budget, 0 for none). An empty Name with paged form gets
  // a temporary name. Raises ESwapFileError 0 (memory) or 1 (disk file).
  TSwapFile(TSwapCreateNew, const std::wstring& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
            float MemPercent);
  TSwapFile(TSwapCreateNew, const std::string& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
            float MemPercent)
      : TSwapFile(swCreateNew, WideName(Name), RecSize, BlockRecs, Pages, MemPercent) {}
  // OpenReadOnly: read-only storage over the existing file Name. Never raises
  // for the file: when it cannot be opened the storage is empty.
  TSwapFile(TSwapOpenReadOnly, const std::wstring& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
            float MemPercent);
  TSwapFile(TSwapOpenReadOnly, const std::string& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
            float MemPercent)
      : TSwapFile(swOpenReadOnly, WideName(Name), RecSize, BlockRecs, Pages, MemPercent) {}
  ~TSwapFile() override;

  static TSwapFile* Create(int32_t RecSize) { return new TSwapFile(RecSize); }
  static TSwapFile* Create(int32_t RecSize, int32_t BlockRecs) { return new TSwapFile(RecSize, BlockRecs); }
  static TSwapFile* CreateNew(const std::wstring& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
                              float MemPercent) {
    return new TSwapFile(swCreateNew, Name, RecSize, BlockRecs, Pages, MemPercent);
  }
  static TSwapFile* CreateNew(const std::string& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
                              float MemPercent) {
    return new TSwapFile(swCreateNew, Name, RecSize, BlockRecs, Pages, MemPercent);
  }
  static TSwapFile* OpenReadOnly(const std::wstring& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
                                 float MemPercent) {
    return new TSwapFile(swOpenReadOnly, Name, RecSize, BlockRecs, Pages, MemPercent);
  }
  static TSwapFile* OpenReadOnly(const std::string& Name, int32_t RecSize, int32_t BlockRecs, int32_t Pages,
                                 float MemPercent) {
    return new TSwapFile(swOpenReadOnly, Name, RecSize, BlockRecs, Pages, MemPercent);
  }

  // ---- records
  int64_t Count() const { return FCount; }
  // Address of record I in the cache, nullptr when I is not in 1 .. Count.
  // Valid until the next access outside the window, growth or shrinking.
  void* GetRecPtr(int32_t I);
  // Copies record I out. Outside 1 .. Count: Rec is zero-filled, false. A
  // failure while loading the page: Rec untouched, false.
  bool ReadRec(int32_t I, void* Rec);
  // Copies Rec into record I (Count grows to I; records skipped over exist
  // with undefined content). Nothing for I < 1 or read-only storage.
  void WriteRec(int32_t I, const void* Rec);
  // Writes after the last record; returns its number, 0 when nothing was
  // written (read-only storage).
  int32_t AppendRec(const void* Rec);
  // Copies records I .. I + N - 1 out, as far as they exist; true when all N
  // existed. False without touching Buf for I outside 1 .. Count or N < 1.
  bool ReadRecs(int32_t I, int32_t N, void* Buf);
  void WriteRecs(int32_t I, int32_t N, const void* Buf);
  // Copies Source's records S .. S + N - 1 (as far as they exist) to records
  // D .. here. Nothing for read-only storage, different record sizes, N < 1,
  // S or D < 1 or S > Source's Count; overlapping runs of one storage are
  // copied correctly. Source may be this storage. Short of memory for its
  // transfer buffer the copy takes a smaller one, down to one record at a
  // time through the record buffer; it never quietly copies nothing.
  void CopyFrom(TSwapFile& Source, int32_t S, int32_t N, int32_t D);
  void CopyFrom(TSwapFile* Source, int32_t S, int32_t N, int32_t D) {
    if (Source) CopyFrom(*Source, S, N, D);
  }
  // Removes the records Pred selects, calling RecordRemoved for each; the
  // rest keep their order and are renumbered from 1. Returns how many went.
  // The records are compacted in place and Count lowered at the end: when an
  // error (input/output, memory, the predicate) stops it, no kept record is
  // lost, but Count is unchanged and the records behind the ones moved so far
  // may be left twice. Pred and RecordRemoved see the storage while it is
  // being compacted.
  virtual int32_t RemoveWhere(uint32_t Extra, TRemovePredicate Pred);
  // The same with any callable bool(int32_t, void*, uint32_t).
  template <class F>
    requires(!std::is_convertible_v<F, TRemovePredicate> && std::is_invocable_r_v<bool, F&, int32_t, void*, uint32_t>)
  int32_t RemoveWhere(uint32_t Extra, F&& Pred) {
    struct TAdaptor {
      std::remove_reference_t<F>* fn;
      bool Call(int32_t i, void* rec, uint32_t x) { return (*fn)(i, rec, x); }
    } adaptor{&Pred};
    return RemoveWhere(Extra, TRemovePredicate::Of<&TAdaptor::Call>(&adaptor));
  }
  void Clear();
  // Writes records F .. F + N - 1 (as far as they exist) to a new file Name,
  // in the disk format. ESwapFileError 2 when the target volume has less free
  // space than round(RecSize * N / 1024) KiB or the disk fills up;
  // EInOutError when the file cannot be made or written.
  void SaveToFile(const std::wstring& Name, int32_t F, int32_t N);
  void SaveToFile(const std::wstring& Name);
  void SaveToFile(const std::string& Name, int32_t F, int32_t N) { SaveToFile(WideName(Name), F, N); }
  void SaveToFile(const std::string& Name) { SaveToFile(WideName(Name)); }

  // ---- cache and disk file
  // Writes every changed slot back (every used slot of in-memory storage,
  // making its temporary file on first use).
  void FlushAll();
  // FlushAll, cut the disk file after record Count, close and reopen it,
  // Compact.
  void Commit();
  // In-memory storage gives back unused memory beyond its slack.
  void Compact();
  // Closes the disk file; the next disk access reopens it. The manager calls
  // this to keep its open-file limit.
  void ReleaseFile();

  // ---- virtual operations
  // Called by RemoveWhere for each record it removes; does nothing here.
  virtual void RecordRemoved(int32_t RecNo, void* Rec, uint32_t Extra);
  // Raises OnBufferChanged.
  virtual void BufferChanged();

  TBufferChangedEvent OnBufferChanged;

  // ---- state, for callers that need to know the form
  int32_t RecSize() const { return FRecSize; }
  bool InMemory() const { return FInMemory; }
  bool ReadOnly() const { return FReadOnly; }
  uint8_t Kind() const { return FKind; }
  int32_t BlockRecs() const { return FBlockRecs; }
  int32_t InitialBlockRecs() const { return FInitialBlockRecs; }
  int32_t GrowStep() const { return FGrowStep; }
  int PageCount() const { return FPageCount; }
  int UsedPages() const { return FUsedPages; }
  int CurrentPage() const { return FCurrentPage; }
  // First record of slot S (from 1) and whether it is changed; only for used slots.
  int64_t PageFirst(int S) const { return FPages[S - 1].First; }
  bool PageDirty(int S) const { return FPages[S - 1].Dirty; }
  void* PageBuffer() const { return FPageBuffer; }
  // The disk file's full name, exactly; and as code page 1250 text to show
  // ("?" for letters the code page lacks).
  const std::wstring& WideFileName() const { return FFileName; }
  std::string FileName() const { return NarrowName(FFileName); }
  bool FileExists() const { return FFileExists; }
  bool FileOpen() const { return FFileOpen; }

protected:
  // Makes the page holding record I current (loading, replacing or growing).
  void Locate(int64_t I);
  // First record of the page that holds record I.
  int64_t BlockStart(int64_t I) const { return I - ((I - 1) % FBlockRecs); }

private:
  struct TSetup;

  void ConstructNew(const std::wstring& Name, int32_t R, int32_t B, int32_t P, float M);
  void ConstructReadOnly(const std::wstring& Name, int32_t R, int32_t B, int32_t P, float M);
  void Setup(const TSetup& S);
  int64_t PageIndex(int64_t I) const;
  int FindSlot(int64_t I) const;
  // Makes the cached page holding record I current; false when none does.
  bool SelectCached(int64_t I);
  void ResetPages();
  void SelectPage(int Slot);
  void ClearWindow();
  void LoadPage(int64_t I);
  void FlushPage(int Slot);
  void GrowMemory(int64_t D);
  void ShrinkMemory(int64_t D);
  void ResizeMemory(int64_t NewRecs);
  void EnsureOpen();
  void CloseFile();
  void Destroy() noexcept;
  // Called by the manager when it goes before this storage: see TSwapMngr.
  void Detach() noexcept;
  friend class TSwapMngr;

  void SyncFast();
  int32_t AppendRecSlow(const void* Rec);
  bool InWindow(int64_t I) const { return I >= FWindowFirst && I <= FWindowLast && I >= 1; }
  uint8_t* RecAddr(int64_t I) const { return FCurData + (I - FWindowFirst) * FRecSize; }
  bool ReadRecSlow(int64_t I, void* Rec);
  void WriteRecSlow(int64_t I, const void* Rec);
  void ReadRange(int64_t I, int64_t N, uint8_t* Buf);
  void WriteRange(int64_t I, int64_t N, const uint8_t* Buf);
  void TransferFrom(TSwapFile& Source, int64_t S, int64_t E, int64_t D);
  void SaveRange(const std::wstring& Name, int64_t F, int64_t N);
  friend bool CopyFileChecked(const std::wstring& Source, const std::wstring& Target);

  bool FReadOnly = false;
  std::wstring FFileName;
  TDiskHandle FHandle = InvalidDiskHandle;
  uint8_t FFileMode = fmOpenReadWrite | fmShareDenyWrite;
  int64_t FCount = 0;
  uint8_t* FPageBuffer = nullptr;
  uint16_t FPageCount = 0;
  uint16_t FNextVictim = 1;
  uint16_t FUsedPages = 0;
  TSwapPage* FPages = nullptr;
  uint16_t FCurrentPage = 0;
  bool FFileExists = false;
  bool FFileOpen = false;
  int32_t FInitialBlockRecs = 0;
  int32_t FBlockRecs = 0;
  int64_t FBlockBytes = 0;
  int32_t FPageCapacity = 0;  // records the page buffer has room for (in-memory: >= FBlockRecs)
  int32_t FRecSize = 0;
  int64_t FWindowFirst = 0;
  int64_t FWindowLast = 0;
  uint8_t* FCurData = nullptr;
  // The inline fast paths test one range each: record I may be read in the
  // window when 0 <= I - FWindowFirst < FReadSpan, written when below
  // FWriteSpan. SyncFast recomputes both. FReadSpan covers the window as far
  // as Count reached when it was computed; the inline writes leave it behind
  // and the first read beyond it catches up. FWriteSpan is 0 unless the
  // current slot is dirty already (and the storage writable), so the inline
  // writes never touch Dirty: the first write to a clean page goes the slow
  // way, and a write-back of the current slot closes the inline path again.
  int64_t FReadSpan = 0;
  int64_t FWriteSpan = 0;
  bool FInMemory = false;
  int32_t FGrowStep = 0;
  int32_t FShrinkSlack = 0;
  uint8_t* FRecBuffer = nullptr;
  uint8_t FKind = skNew;
  double FInvBlockRecs = 1.0;
  // Paged storage with several slots: slot that last loaded a page, by page
  // index masked with FSlotHintMask (a hint, checked before it is trusted).
  uint16_t* FSlotHints = nullptr;
  int64_t FSlotHintMask = 0;
};

#include "swap/SwapStoreInline.h"
