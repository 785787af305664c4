// TSwapFile construction, form choice and the page cache.

#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

#include "SwapTestSupport.h"

namespace {

using namespace swaptest;

class SwapStoreTest : public SwapTest {};

TEST_F(SwapStoreTest, CreateChoosesPageSizeAndGrowStepFromTheRecordSize) {
  struct Case {
    int32_t R, blockRecs, growStep;
  };
  const Case cases[] = {{1, 2048, 2048}, {12, 170, 170}, {52, 39, 39},  {102, 20, 20},
                        {103, 19, 79},   {3000, 1, 2},   {8193, 1, 1}};
  for (const Case& c : cases) {
    TSwapFile s(c.R);
    EXPECT_TRUE(s.InMemory()) << c.R;
    EXPECT_EQ(s.BlockRecs(), c.blockRecs) << c.R;
    EXPECT_EQ(s.GrowStep(), c.growStep) << c.R;
    EXPECT_EQ(s.Count(), 0);
    EXPECT_FALSE(s.FileExists());
  }
  std::unique_ptr<TSwapFile> b(TSwapFile::Create(52, 7));
  EXPECT_EQ(b->BlockRecs(), 7);
  EXPECT_EQ(TSwapFile(52, 0).BlockRecs(), 39);
}

TEST_F(SwapStoreTest, InMemoryStorageGrowsByAtLeastTheStepAndShrinksBackOnCompact) {
  TSwapFile s(52);
  s.WriteRec(40, Rec(52, 40).data());
  EXPECT_EQ(s.BlockRecs(), 78);
  EXPECT_EQ(s.Count(), 40);
  s.WriteRec(200, Rec(52, 200).data());
  EXPECT_EQ(s.BlockRecs(), 200);
  std::vector<uint8_t> got(52);
  ASSERT_TRUE(s.ReadRec(40, got.data()));
  EXPECT_EQ(got, Rec(52, 40));
  s.Compact();  // no slack to give back
  EXPECT_EQ(s.BlockRecs(), 200);
  s.Clear();
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.BlockRecs(), 39);
}

TEST_F(SwapStoreTest, AppendingReservesMemoryAheadWithoutChangingThePageSize) {
  TSwapFile s(52);
  Reallocs = 0;
  for (int r = 1; r <= 100000; ++r) s.AppendRec(Rec(52, r % 97).data());
  EXPECT_EQ(s.BlockRecs() % 39, 0);  // grown 39 records at a time
  EXPECT_GE(s.BlockRecs(), 100000);
  EXPECT_LT(s.BlockRecs(), 100039);
  EXPECT_LT(Reallocs, 40);  // not one per step: 2,564 steps
  std::vector<uint8_t> got(52);
  ASSERT_TRUE(s.ReadRec(99999, got.data()));
  EXPECT_EQ(got, Rec(52, 99999 % 97));
  s.Clear();
  EXPECT_EQ(s.BlockRecs(), 39);
}

TEST_F(SwapStoreTest, TwoSlotsAreReplacedRoundRobinAndOnlyDirtyPagesAreWrittenFirst) {
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("rr"), 4, 10, 2, 0.0f));
  ASSERT_FALSE(s->InMemory());
  ASSERT_EQ(s->PageCount(), 2);
  for (int r = 1; r <= 40; ++r) s->WriteRec(r, Rec(4, r).data());  // pages 1..4, each dirty
  // Page 3 replaced slot 1 (page 1), page 4 slot 2 (page 2).
  EXPECT_EQ(s->PageFirst(1), 21);
  EXPECT_EQ(s->PageFirst(2), 31);
  EXPECT_EQ(Disk.Writes, 2);
  s->FlushAll();
  EXPECT_EQ(Disk.Writes, 4);
  // Clean pages are replaced without a write.
  std::vector<uint8_t> got(4);
  for (int r : {1, 11, 21, 31, 1}) {
    ASSERT_TRUE(s->ReadRec(r, got.data()));
    EXPECT_EQ(got, Rec(4, r));
  }
  EXPECT_EQ(Disk.Writes, 4);
  // Strictly round robin: a page just used is replaced when its slot is next.
  ASSERT_TRUE(s->ReadRec(11, got.data()));  // page 2 into slot 2; slot 1 is next
  ASSERT_TRUE(s->ReadRec(1, got.data()));   // hit in slot 1
  ASSERT_TRUE(s->ReadRec(21, got.data()));  // replaces slot 1 all the same
  EXPECT_EQ(s->PageFirst(1), 21);
  EXPECT_EQ(s->PageFirst(2), 11);
  EXPECT_EQ(s->CurrentPage(), 1);
}

TEST_F(SwapStoreTest, WriteBackStopsAtCountAndCommitCutsTheFile) {
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("wb"), 10, 100, 1, 0.0f));
  for (int r = 1; r <= 3; ++r) s->AppendRec(Rec(10, r).data());
  s->FlushAll();
  EXPECT_EQ(FileLength(s->WideFileName()), 30);
  for (int r = 4; r <= 250; ++r) s->AppendRec(Rec(10, r).data());
  s->FlushAll();
  EXPECT_EQ(FileLength(s->WideFileName()), 2500);
  s->Clear();
  EXPECT_EQ(FileLength(s->WideFileName()), 0);
  for (int r = 1; r <= 150; ++r) s->AppendRec(Rec(10, r).data());
  s->FlushAll();
  s->WriteRecs(1, 1, Rec(10, 7).data());
  s->Commit();
  EXPECT_EQ(FileLength(s->WideFileName()), 1500);
  EXPECT_TRUE(s->FileOpen());
}

TEST_F(SwapStoreTest, InMemoryStorageWritesToATemporaryFileOnlyWhenAsked) {
  std::unique_ptr<TSwapFile> s(TSwapFile::Create(52));
  for (int r = 1; r <= 100; ++r) s->AppendRec(Rec(52, r).data());
  EXPECT_FALSE(s->FileExists());
  s->Commit();
  ASSERT_TRUE(s->FileExists());
  EXPECT_EQ(std::filesystem::path(s->WideFileName()).filename().string().rfind("SWP", 0), 0u);
  EXPECT_EQ(ReadFileBytes(s->WideFileName()).size(), 5200u);
  EXPECT_EQ(s->BlockRecs(), 117);  // 17 unused, within the slack of 39: kept
  s->Clear();
  EXPECT_EQ(s->BlockRecs(), 39);
  const std::wstring name = s->WideFileName();
  s.reset();
  EXPECT_FALSE(std::filesystem::exists(name));
}

TEST_F(SwapStoreTest, ReleasedFilesReopenOnTheNextDiskAccess) {
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("rel"), 8, 4, 1, 0.0f));
  for (int r = 1; r <= 12; ++r) s->AppendRec(Rec(8, r).data());
  s->ReleaseFile();
  EXPECT_FALSE(s->FileOpen());
  EXPECT_EQ(SwapMngr->OpenFileCount(), 0);
  std::vector<uint8_t> got(8);
  for (int r = 1; r <= 12; ++r) {
    ASSERT_TRUE(s->ReadRec(r, got.data()));
    EXPECT_EQ(got, Rec(8, r));
  }
  EXPECT_TRUE(s->FileOpen());
  EXPECT_EQ(SwapMngr->OpenFileCount(), 1);
}

TEST_F(SwapStoreTest, OpenReadOnlyOverAFile) {
  std::vector<uint8_t> bytes(1000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  WriteFileBytes(Path("ro.dat"), bytes);
  std::unique_ptr<TSwapFile> s(TSwapFile::OpenReadOnly(Path("ro.dat"), 1, 131072, 1, 0.0f));
  EXPECT_FALSE(s->InMemory());
  EXPECT_EQ(s->PageCount(), 1);
  EXPECT_EQ(s->BlockRecs(), 131072);
  EXPECT_EQ(s->Count(), 1000);
  EXPECT_TRUE(s->ReadOnly());
  uint8_t b = 0;
  ASSERT_TRUE(s->ReadRec(999, &b));
  EXPECT_EQ(b, bytes[998]);
  EXPECT_EQ(s->AppendRec(&b), 0);
  s->WriteRec(1, &b);
  s->Clear();
  s->Commit();
  EXPECT_EQ(s->Count(), 1000);
  s.reset();
  EXPECT_EQ(ReadFileBytes(Path("ro.dat")), bytes);  // the file stays as it was

  // With a memory share that holds it, the same file is read into memory.
  std::unique_ptr<TSwapFile> m(TSwapFile::OpenReadOnly(Path("ro.dat"), 10, 4, 2, 50.0f));
  EXPECT_TRUE(m->InMemory());
  EXPECT_EQ(m->Count(), 100);
  std::vector<uint8_t> all(1000);
  ASSERT_TRUE(m->ReadRecs(1, 100, all.data()));
  EXPECT_EQ(all, bytes);
}

TEST_F(SwapStoreTest, OpenReadOnlyOfAMissingFileIsEmptyAndUnregistered) {
  std::unique_ptr<TSwapFile> s(TSwapFile::OpenReadOnly(Path("missing.dat"), 4, 16, 2, 0.0f));
  EXPECT_EQ(s->Count(), 0);
  EXPECT_FALSE(s->FileExists());
  EXPECT_EQ(SwapMngr->FileCount(), 0);
  uint8_t r[4] = {1, 2, 3, 4};
  EXPECT_FALSE(s->ReadRec(1, r));
  EXPECT_EQ(r[0], 0);
  EXPECT_FALSE(s->ReadRecs(1, 1, r));
  EXPECT_EQ(s->GetRecPtr(1), nullptr);
}

TEST_F(SwapStoreTest, AMemoryPercentageChoosesTheFormFromTheBudget) {
  SwapfileUnitStop();
  Disk.PhysicalMemoryBytes = 16 << 20;  // budget 12 MiB, share at 50 %: 6,291,456 bytes
  SwapfileUnitStart();
  std::unique_ptr<TSwapFile> fits(TSwapFile::CreateNew(Path("a"), 100, 1000, 60, 50.0f));
  EXPECT_TRUE(fits->InMemory());
  EXPECT_EQ(fits->BlockRecs(), 60000);
  EXPECT_FALSE(fits->FileExists());
  std::unique_ptr<TSwapFile> paged(TSwapFile::CreateNew(Path("b"), 100, 1000, 70, 50.0f));
  EXPECT_FALSE(paged->InMemory());
  EXPECT_EQ(paged->PageCount(), 62);
  EXPECT_EQ(paged->BlockRecs(), 1000);
  // Without a percentage the parameters decide alone.
  std::unique_ptr<TSwapFile> plain(TSwapFile::CreateNew(Path("c"), 100, 1000, 3, 0.0f));
  EXPECT_EQ(plain->PageCount(), 3);
  std::unique_ptr<TSwapFile> none(TSwapFile::CreateNew(Path("d"), 100, 0, 3, 0.0f));
  EXPECT_TRUE(none->InMemory());
  EXPECT_EQ(none->BlockRecs(), 20);
}

TEST_F(SwapStoreTest, AShareBuyingMoreThan65535PagesGetsTheMostTheTableHolds) {
  SwapfileUnitStop();
  Disk.PhysicalMemoryBytes = 1LL << 30;
  SwapfileUnitStart();
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("many"), 1, 1, INT32_MAX, 100.0f));
  EXPECT_FALSE(s->InMemory());
  EXPECT_EQ(s->PageCount(), 65535);
  for (int r = 1; r <= 70000; r += 997) s->WriteRec(r, Rec(1, r).data());
  uint8_t b;
  ASSERT_TRUE(s->ReadRec(997 * 3 + 1, &b));
  EXPECT_EQ(b, Rec(1, 997 * 3 + 1)[0]);
}

TEST_F(SwapStoreTest, PagedStorageWithoutANameUsesATemporaryFile) {
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew("", 8, 4, 2, 0.0f));
  EXPECT_FALSE(s->InMemory());
  ASSERT_EQ(Disk.TempNames.size(), 1u);
  EXPECT_EQ(s->WideFileName(), Disk.TempNames[0]);
  const std::wstring name = s->WideFileName();
  s.reset();
  EXPECT_FALSE(std::filesystem::exists(name));
}

#ifdef _WIN32
// Folders whose names code page 1250 cannot carry (a user called Søndervang,
// a Cyrillic or CJK user name): temporary files made there, files named
// there, and relative names expanded against such a current folder all keep
// every letter down to the file calls.
class SwapOddFolderTest : public SwapTest {
protected:
  struct TFolder {
    std::wstring path;
    explicit TFolder(const std::wstring& leaf) {
      wchar_t base[MAX_PATH] = {};
      GetTempPathW(MAX_PATH, base);
      path = base + leaf + std::to_wstring(GetCurrentProcessId());
      CreateDirectoryW(path.c_str(), nullptr);
    }
    std::wstring File(const wchar_t* leaf) const { return path + L"\\" + leaf; }
    // Empty folders only: whatever a store left behind keeps it.
    bool Remove() const { return RemoveDirectoryW(path.c_str()) != FALSE; }
  };
  // GetTempPath reads TMP first.
  struct TTempVariable {
    wchar_t saved[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(L"TMP", saved, MAX_PATH);
    explicit TTempVariable(const std::wstring& value) { SetEnvironmentVariableW(L"TMP", value.c_str()); }
    ~TTempVariable() { SetEnvironmentVariableW(L"TMP", length ? saved : nullptr); }
  };
  static constexpr const wchar_t* kLeaves[] = {L"swp \u00f8 \u00d1 ", L"swp \u0414\u0438\u0441\u043a ",
                                               L"swp \u65e5\u672c "};
};

TEST_F(SwapOddFolderTest, TemporaryFilesThereKeepTheFolderName) {
  for (const wchar_t* leaf : kLeaves) {
    const TFolder folder(leaf);
    {
      TTempVariable tmp(folder.path);
      TSwapFile memory(8);
      for (int r = 1; r <= 10; ++r) memory.AppendRec(Rec(8, r).data());
      memory.Commit();
      std::unique_ptr<TSwapFile> paged(TSwapFile::CreateNew(std::wstring(), 8, 4, 2, 0.0f));
      paged->WriteRec(9, Rec(8, 9).data());
      paged->FlushAll();
      for (const TSwapFile* s : {&memory, paged.get()}) {
        ASSERT_TRUE(s->FileExists());
        EXPECT_EQ(s->WideFileName().rfind(folder.path + L"\\SWP", 0), 0u) << s->WideFileName();
        EXPECT_EQ(FileLength(s->WideFileName()), s == &memory ? 80 : 72);
      }
    }
    EXPECT_TRUE(folder.Remove()) << "the temporary files went with their stores";
  }
}

TEST_F(SwapOddFolderTest, NamedAndRelativeFilesThereAreMadeReadAndCopied) {
  for (const wchar_t* leaf : kLeaves) {
    const TFolder folder(leaf);
    {
      std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(folder.File(L"data.swp"), 8, 4, 2, 0.0f));
      for (int r = 1; r <= 20; ++r) s->AppendRec(Rec(8, r).data());
      EXPECT_EQ(s->WideFileName(), folder.File(L"data.swp"));
      s->SaveToFile(folder.File(L"saved.dat"), 3, 5);
      EXPECT_EQ(FileSizeByName(folder.File(L"saved.dat")), 40);
      EXPECT_EQ(FileAccessStatus(folder.File(L"saved.dat")), 1);
      EXPECT_TRUE(CopyFileChecked(folder.File(L"saved.dat"), folder.File(L"copy.dat")));
      std::unique_ptr<TSwapFile> copy(TSwapFile::OpenReadOnly(folder.File(L"copy.dat"), 8, 4, 1, 0.0f));
      ASSERT_EQ(copy->Count(), 5);
      std::vector<uint8_t> got(8);
      ASSERT_TRUE(copy->ReadRec(5, got.data()));
      EXPECT_EQ(got, Rec(8, 7));

      wchar_t previous[MAX_PATH] = {};
      GetCurrentDirectoryW(MAX_PATH, previous);
      ASSERT_TRUE(SetCurrentDirectoryW(folder.path.c_str()));
      s->SaveToFile(L"relative.dat");
      s->SaveToFile(std::string("narrow.dat"));
      SetCurrentDirectoryW(previous);
      EXPECT_EQ(FileLength(folder.File(L"relative.dat")), 160);
      EXPECT_EQ(FileLength(folder.File(L"narrow.dat")), 160);
    }
    for (const wchar_t* name : {L"saved.dat", L"copy.dat", L"relative.dat", L"narrow.dat"})
      EXPECT_TRUE(DeleteFileW(folder.File(name).c_str())) << name;
    EXPECT_TRUE(folder.Remove()) << "the store's own file went with it";
  }
}
#endif

TEST_F(SwapStoreTest, TheConstructorsAndFactoriesAgree) {
  TSwapFile a(swCreateNew, Path("a"), 16, 8, 3, 0.0f);
  std::unique_ptr<TSwapFile> b(TSwapFile::CreateNew(Path("b"), 16, 8, 3, 0.0f));
  EXPECT_EQ(a.PageCount(), b->PageCount());
  EXPECT_EQ(a.BlockRecs(), b->BlockRecs());
  a.AppendRec(Rec(16, 1).data());
  a.FlushAll();
  a.ReleaseFile();  // its sharing mode keeps readers that deny writing out
  TSwapFile c(swOpenReadOnly, Path("a"), 16, 8, 3, 0.0f);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_THROW(TSwapFile(0), ESwapFileError);
}

struct TBufferWatcher {
  std::vector<void*> seen;
  void Changed(TObject* sender, void* buffer) {
    EXPECT_NE(dynamic_cast<TSwapFile*>(sender), nullptr);
    seen.push_back(buffer);
  }
};

TEST_F(SwapStoreTest, BufferChangedReportsEveryResizeOfTheInMemoryPage) {
  TSwapFile s(52);
  TBufferWatcher w;
  s.OnBufferChanged = TSwapFile::TBufferChangedEvent::Of<&TBufferWatcher::Changed>(&w);
  s.WriteRec(100, Rec(52, 1).data());
  s.Clear();
  ASSERT_EQ(w.seen.size(), 2u);
  EXPECT_EQ(w.seen.back(), s.PageBuffer());
}

}  // namespace
