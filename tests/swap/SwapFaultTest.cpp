// Faults injected through the file layer and the allocator.

#include <algorithm>
#include <cstring>
#include <memory>

#include "SwapTestSupport.h"

namespace {

using namespace swaptest;

class SwapFaultTest : public SwapTest {};

template <class F>
int CodeOf(F&& f) {
  try {
    f();
  } catch (const ESwapFileError& e) {
    return e.ErrorCode;
  }
  return -1;
}

template <class F>
bool InOutErrorFrom(F&& f) {
  try {
    f();
  } catch (const EInOutError& e) {
    return e.ErrorCode != 0;
  }
  return false;
}

TEST_F(SwapFaultTest, AFailedOrShortWriteBackRaisesCode2AndKeepsThePageDirty) {
  enum { failed, shortWrite, fullDisk };
  for (int fault : {failed, shortWrite, fullDisk}) {
    std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path(Leaf("w", fault)), 8, 4, 1, 0.0f));
    for (int r = 1; r <= 4; ++r) s->WriteRec(r, Rec(8, r).data());
    if (fault == failed) Disk.FailWrites = 1;
    else Disk.WriteLimit = fault == shortWrite ? 12 : 0;
    // Record 5 needs the only slot: page 1 must be written first.
    EXPECT_EQ(CodeOf([&] { s->WriteRec(5, Rec(8, 5).data()); }), 2) << fault;
    EXPECT_EQ(s->PageFirst(1), 1);
    EXPECT_TRUE(s->PageDirty(1));
    EXPECT_EQ(s->Count(), 4);
    EXPECT_EQ(CodeOf([&] { s->FlushAll(); }), fault == failed ? -1 : 2);  // a failure is used up
    Disk.FailWrites = 0;
    Disk.WriteLimit = -1;
    s->WriteRec(5, Rec(8, 5).data());
    std::vector<uint8_t> got(8);
    for (int r = 1; r <= 5; ++r) {
      ASSERT_TRUE(s->ReadRec(r, got.data()));
      EXPECT_EQ(got, Rec(8, r));
    }
    s->Commit();
    EXPECT_EQ(FileLength(s->WideFileName()), 40);
  }
}

TEST_F(SwapFaultTest, InMemoryWriteBackFailuresRaiseAndRecover) {
  TSwapFile s(8);
  for (int r = 1; r <= 10; ++r) s.AppendRec(Rec(8, r).data());
  Disk.FailTempNames = 1;
  EXPECT_EQ(CodeOf([&] { s.FlushAll(); }), 1);
  Disk.FailCreates = 1;
  EXPECT_EQ(CodeOf([&] { s.FlushAll(); }), 1);
  ASSERT_EQ(Disk.TempNames.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Disk.TempNames[0]));  // the name made for it went too
  EXPECT_FALSE(s.FileExists());
  Disk.WriteLimit = 20;
  EXPECT_EQ(CodeOf([&] { s.Commit(); }), 2);
  Disk.WriteLimit = -1;
  s.Commit();
  EXPECT_EQ(FileLength(s.WideFileName()), 80);
}

TEST_F(SwapFaultTest, ACreateOrOpenFailureRaisesCode1) {
  Disk.FailCreates = 1;
  EXPECT_EQ(CodeOf([&] { TSwapFile s(swCreateNew, Path("c"), 8, 4, 2, 0.0f); }), 1);
  EXPECT_EQ(SwapMngr->FileCount(), 0);
  EXPECT_EQ(SwapMngr->OpenFileCount(), 0);

  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("o"), 8, 4, 1, 0.0f));
  for (int r = 1; r <= 8; ++r) s->WriteRec(r, Rec(8, r).data());
  s->ReleaseFile();
  Disk.FailOpens = 1;
  EXPECT_EQ(CodeOf([&] { s->WriteRec(1, Rec(8, 1).data()); }), 1);  // needs page 1 back
  std::vector<uint8_t> got(8, 0x55);
  Disk.FailOpens = 1;
  EXPECT_FALSE(s->ReadRec(1, got.data()));  // reading reports it, leaves the buffer
  EXPECT_EQ(got, std::vector<uint8_t>(8, 0x55));
  for (int r = 1; r <= 8; ++r) {
    ASSERT_TRUE(s->ReadRec(r, got.data()));
    EXPECT_EQ(got, Rec(8, r));
  }
}

TEST_F(SwapFaultTest, AllocationFailuresRaiseCode0AndKeepThePreviousSize) {
  FailAllocs = 1;
  EXPECT_EQ(CodeOf([&] { TSwapFile s(52); }), 0);
  FailAllocsFrom = 2 * 10 * 52;  // the pages of the next store
  EXPECT_EQ(CodeOf([&] { TSwapFile s(swCreateNew, Path("a"), 52, 10, 2, 0.0f); }), 0);
  FailAllocsFrom = SIZE_MAX;
  EXPECT_EQ(SwapMngr->FileCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(Path("a")));

  TSwapFile s(52);
  for (int r = 1; r <= 39; ++r) s.AppendRec(Rec(52, r).data());
  FailAllocs = 1;
  EXPECT_EQ(CodeOf([&] { s.AppendRec(Rec(52, 40).data()); }), 0);
  EXPECT_EQ(s.BlockRecs(), 39);
  EXPECT_EQ(s.Count(), 39);
  std::vector<uint8_t> got(52);
  ASSERT_TRUE(s.ReadRec(39, got.data()));
  EXPECT_EQ(got, Rec(52, 39));
  EXPECT_EQ(s.AppendRec(Rec(52, 40).data()), 40);
  for (int r = 41; r <= 200; ++r) s.AppendRec(Rec(52, r).data());
  const int32_t grown = s.BlockRecs();
  FailAllocs = 1;  // shrinking back after Clear
  EXPECT_EQ(CodeOf([&] { s.Clear(); }), 0);
  EXPECT_EQ(s.BlockRecs(), grown);
  EXPECT_EQ(s.Count(), 0);
  s.Compact();
  EXPECT_EQ(s.BlockRecs(), 39);
}

// Short of memory for the transfer buffer a copy takes a smaller one, down to
// the record buffer the storage owns: it copies everything in every case.
TEST_F(SwapFaultTest, WithoutMemoryForTheTransferBufferTheCopyStillHappens) {
  constexpr int N = 300;
  TSwapFile src(8);
  for (int r = 1; r <= N; ++r) src.AppendRec(Rec(8, r).data());
  struct Case {
    const char* what;
    int failAllocs;
    std::size_t failFrom;
  } cases[] = {
      {"the first buffer fails", 1, SIZE_MAX},
      {"only buffers below 100 bytes", 0, 100},
      {"no memory at all", 1 << 30, SIZE_MAX},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TSwapFile> dst(TSwapFile::CreateNew(Path("t"), 8, 16, 2, 0.0f));
    FailAllocs = c.failAllocs;
    FailAllocsFrom = c.failFrom;
    dst->CopyFrom(src, 1, N, 1);
    dst->CopyFrom(*dst, 1, N, 2);  // overlapping, so copied from its end
    FailAllocs = 0;
    FailAllocsFrom = SIZE_MAX;
    ASSERT_EQ(dst->Count(), N + 1) << c.what;
    std::vector<uint8_t> got(8);
    for (int r = 1; r <= N + 1; ++r) {
      ASSERT_TRUE(dst->ReadRec(r, got.data()));
      ASSERT_EQ(got, Rec(8, r == 1 ? 1 : r - 1)) << c.what << ", record " << r;
    }
  }
}

// Records that name themselves: the seed, then a check word.
std::vector<uint8_t> Tagged(uint32_t Seed) {
  std::vector<uint8_t> r(8);
  const uint32_t check = ~Seed * 2654435761u;
  std::memcpy(r.data(), &Seed, 4);
  std::memcpy(r.data() + 4, &check, 4);
  return r;
}

TEST_F(SwapFaultTest, RemoveWhereLosesNoKeptRecordWhicheverReadWriteOrTruncateFails) {
  // 23 records; those whose seed is 1 or a multiple of 3 go. Every read, write
  // and truncate inside RemoveWhere fails in turn (a write failing outright or
  // filling the disk halfway), with and without memory for a batch, over
  // paged storage of one and two slots and over in-memory storage that has a
  // temporary file.
  constexpr int N = 23;
  auto goes = [](uint32_t seed) { return seed == 1 || seed % 3 == 0; };
  std::vector<std::vector<uint8_t>> kept;
  for (uint32_t seed = 1; seed <= N; ++seed)
    if (!goes(seed)) kept.push_back(Tagged(seed));
  auto pred = [&](int32_t, void* rec, uint32_t) {
    uint32_t seed;
    std::memcpy(&seed, rec, 4);
    return goes(seed);
  };
  enum { pagedOne, pagedTwo, inMemory };
  int faultsHit = 0;
  for (int form : {pagedOne, pagedTwo, inMemory}) {
    for (bool shortWrite : {false, true}) {
      for (bool batch : {true, false}) {
        for (int n = 1;; ++n) {
          SCOPED_TRACE(testing::Message() << "form " << form << " short " << shortWrite << " batch " << batch
                                          << " call " << n);
          std::unique_ptr<TSwapFile> s(form == inMemory ? TSwapFile::Create(8)
                                                        : TSwapFile::CreateNew(Path(Leaf("rw", n)), 8, 4,
                                                                               form == pagedOne ? 1 : 2, 0.0f));
          for (uint32_t seed = 1; seed <= N; ++seed) s->AppendRec(Tagged(seed).data());
          if (form == inMemory) s->FlushAll();
          Disk.IoCalls = 0;
          Disk.FailIoCall = n;
          Disk.FailIoShort = shortWrite;
          FailAllocs = batch ? 0 : 1;
          bool failed = false;
          try {
            EXPECT_EQ(s->RemoveWhere(0, pred), N - static_cast<int>(kept.size()));
          } catch (const EInOutError&) {
            failed = true;
          } catch (const ESwapFileError&) {
            failed = true;
          }
          Disk.FailIoCall = 0;
          FailAllocs = 0;
          const bool reached = Disk.IoCalls >= n;
          faultsHit += failed;
          // Whether it failed or not, every kept record can be read and
          // written back to disk.
          std::vector<std::vector<uint8_t>> stored;
          std::vector<uint8_t> got(8);
          for (int32_t r = 1; r <= s->Count(); ++r) {
            ASSERT_TRUE(s->ReadRec(r, got.data()));
            stored.push_back(got);
          }
          s->Commit();
          const std::vector<uint8_t> file = ReadFileBytes(s->WideFileName());
          ASSERT_EQ(static_cast<int64_t>(file.size()), s->Count() * 8);
          for (const auto& k : kept) {
            EXPECT_NE(std::find(stored.begin(), stored.end(), k), stored.end());
            EXPECT_NE(std::search(file.begin(), file.end(), k.begin(), k.end()), file.end());
          }
          if (!failed) {
            EXPECT_EQ(stored, kept);
          }
          if (!reached) break;
          ASSERT_LT(n, 400);
        }
      }
    }
  }
  EXPECT_GT(faultsHit, 100);
}

struct TThrowingWatcher {
  void Changed(TObject*, void*) { throw Exception("handler failed"); }
};

TEST_F(SwapFaultTest, AFailingBufferChangedHandlerLeavesAConsistentStore) {
  TSwapFile s(8);
  for (int r = 1; r <= 256; ++r) s.AppendRec(Rec(8, r).data());
  TThrowingWatcher w;
  s.OnBufferChanged = TSwapFile::TBufferChangedEvent::Of<&TThrowingWatcher::Changed>(&w);
  EXPECT_EQ(CodeOf([&] { s.WriteRec(100000, Rec(8, 0).data()); }), 0);
  s.OnBufferChanged = {};
  // The page moved; the store follows it.
  std::vector<uint8_t> got(8);
  for (int r : {1, 200, 256}) {
    ASSERT_TRUE(s.ReadRec(r, got.data()));
    EXPECT_EQ(got, Rec(8, r));
  }
  s.WriteRec(100000, Rec(8, 7).data());
  ASSERT_TRUE(s.ReadRec(100000, got.data()));
  EXPECT_EQ(got, Rec(8, 7));
}

TEST_F(SwapFaultTest, ReadErrorsFailReadRecAndPropagateElsewhere) {
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("r"), 8, 4, 1, 0.0f));
  for (int r = 1; r <= 8; ++r) s->AppendRec(Rec(8, r).data());
  std::vector<uint8_t> got(8, 0x55), run(64);
  Disk.FailReads = 1;
  EXPECT_FALSE(s->ReadRec(1, got.data()));
  EXPECT_EQ(got, std::vector<uint8_t>(8, 0x55));
  Disk.FailReads = 1;
  EXPECT_TRUE(InOutErrorFrom([&] { s->ReadRecs(1, 8, run.data()); }));
  Disk.FailReads = 1;
  EXPECT_TRUE(InOutErrorFrom([&] { s->SaveToFile(Path("out.dat")); }));
  EXPECT_EQ(Disk.OpenNow(), 1);  // only the store's own file
  // Nothing was lost: the slot that failed to load (over page 2, which had
  // been written back) holds no page any more.
  EXPECT_TRUE(s->ReadRecs(5, 4, run.data()));
  EXPECT_EQ(std::vector<uint8_t>(run.begin(), run.begin() + 8), Rec(8, 5));
  EXPECT_TRUE(s->ReadRecs(1, 8, run.data()));
  for (int r = 1; r <= 8; ++r)
    EXPECT_EQ(std::vector<uint8_t>(run.begin() + (r - 1) * 8, run.begin() + r * 8), Rec(8, r));
}

TEST_F(SwapFaultTest, OpenReadOnlyFailuresLeaveAnEmptyStoreAndNoOpenFile) {
  WriteFileBytes(Path("ro.dat"), std::vector<uint8_t>(100, 7));
  Disk.FailReads = 1;
  std::unique_ptr<TSwapFile> a(TSwapFile::OpenReadOnly(Path("ro.dat"), 10, 4, 1, 0.0f));
  EXPECT_EQ(a->Count(), 0);
  EXPECT_FALSE(a->FileOpen());
  EXPECT_EQ(SwapMngr->OpenFileCount(), 0);
  EXPECT_EQ(Disk.OpenNow(), 0);
  FailAllocs = 1;
  std::unique_ptr<TSwapFile> b(TSwapFile::OpenReadOnly(Path("ro.dat"), 10, 4, 1, 0.0f));
  EXPECT_EQ(b->Count(), 0);
  uint8_t rec[10];
  EXPECT_FALSE(b->ReadRec(1, rec));
  b->WriteRec(1, rec);
  b->Clear();
  b->SaveToFile(Path("empty.dat"));
  EXPECT_EQ(FileLength(Path("empty.dat")), 0);
  EXPECT_EQ(Disk.OpenNow(), 0);
}

TEST_F(SwapFaultTest, SaveToFileReportsATargetThatCannotBeWrittenOrFillsUp) {
  TSwapFile s(100);
  for (int r = 1; r <= 50; ++r) s.AppendRec(Rec(100, r).data());
  Disk.WriteDenied.insert(PlatformSwapDisk().FullName(WidePath(L"denied.dat")));
  EXPECT_TRUE(InOutErrorFrom([&] { s.SaveToFile(Path("denied.dat")); }));
  Disk.FailWrites = 1;
  EXPECT_TRUE(InOutErrorFrom([&] { s.SaveToFile(Path("fail.dat")); }));
  Disk.WriteLimit = 1000;  // the disk fills up after the free-space test
  EXPECT_EQ(CodeOf([&] { s.SaveToFile(Path("full.dat")); }), 2);
  Disk.WriteLimit = -1;
  EXPECT_EQ(Disk.OpenNow(), 0);
}

TEST_F(SwapFaultTest, CloseAndTruncateFailuresRaiseInOutErrors) {
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("cl"), 8, 4, 1, 0.0f));
  for (int r = 1; r <= 8; ++r) s->AppendRec(Rec(8, r).data());
  Disk.FailCloses = 1;
  EXPECT_TRUE(InOutErrorFrom([&] { s->ReleaseFile(); }));
  EXPECT_FALSE(s->FileOpen());
  EXPECT_EQ(SwapMngr->OpenFileCount(), 0);
  std::vector<uint8_t> got(8);
  ASSERT_TRUE(s->ReadRec(1, got.data()));
  EXPECT_EQ(got, Rec(8, 1));
  Disk.FailTruncates = 1;
  EXPECT_TRUE(InOutErrorFrom([&] { s->Clear(); }));
}

}  // namespace
