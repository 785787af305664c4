// Record operations and the file utilities.

#include <memory>

#include "SwapTestSupport.h"

namespace {

using namespace swaptest;

class SwapRecordsTest : public SwapTest {
protected:
  // Stores of both forms with the same contents: in-memory and paged with
  // pages of 3 records in 2 slots.
  std::vector<std::unique_ptr<TSwapFile>> BothForms(int32_t R) {
    std::vector<std::unique_ptr<TSwapFile>> v;
    v.emplace_back(TSwapFile::Create(R));
    v.emplace_back(TSwapFile::CreateNew(Path("paged" + std::to_string(serial_++)), R, 3, 2, 0.0f));
    return v;
  }
  static std::vector<uint8_t> ReadAll(TSwapFile& s) {
    std::vector<uint8_t> all(static_cast<size_t>(s.Count() * s.RecSize()));
    if (s.Count() > 0) {
      EXPECT_TRUE(s.ReadRecs(1, static_cast<int32_t>(s.Count()), all.data()));
    }
    return all;
  }
  static std::vector<uint8_t> Concat(int32_t R, std::initializer_list<uint32_t> seeds) {
    std::vector<uint8_t> all;
    for (uint32_t seed : seeds) {
      auto r = Rec(R, seed);
      all.insert(all.end(), r.begin(), r.end());
    }
    return all;
  }

private:
  int serial_ = 0;
};

TEST_F(SwapRecordsTest, AppendNumbersFromOneAndReadingOutsideTheRangeZeroFills) {
  for (auto& s : BothForms(12)) {
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(s->AppendRec(Rec(12, r).data()), r);
    std::vector<uint8_t> got(12, 0xAB);
    EXPECT_FALSE(s->ReadRec(0, got.data()));
    EXPECT_EQ(got, std::vector<uint8_t>(12, 0));
    got.assign(12, 0xAB);
    EXPECT_FALSE(s->ReadRec(11, got.data()));
    EXPECT_EQ(got, std::vector<uint8_t>(12, 0));
    EXPECT_TRUE(s->ReadRec(10, got.data()));
    EXPECT_EQ(got, Rec(12, 10));
    EXPECT_EQ(s->GetRecPtr(11), nullptr);
    EXPECT_EQ(s->GetRecPtr(0), nullptr);
    ASSERT_NE(s->GetRecPtr(4), nullptr);
    EXPECT_EQ(0, std::memcmp(s->GetRecPtr(4), Rec(12, 4).data(), 12));
    s->WriteRec(0, Rec(12, 0).data());
    s->WriteRec(-5, Rec(12, 0).data());
    EXPECT_EQ(s->Count(), 10);
    // Writing past the end leaves a gap of undefined records.
    s->WriteRec(14, Rec(12, 14).data());
    EXPECT_EQ(s->Count(), 14);
    EXPECT_EQ(s->AppendRec(Rec(12, 15).data()), 15);
  }
}

TEST_F(SwapRecordsTest, ReadRecsCopiesWhatExistsAndTellsWhetherAllDid) {
  for (auto& s : BothForms(4)) {
    for (int r = 1; r <= 10; ++r) s->AppendRec(Rec(4, r).data());
    std::vector<uint8_t> buf(20, 0xCC);
    EXPECT_FALSE(s->ReadRecs(9, 5, buf.data()));
    EXPECT_EQ(std::vector<uint8_t>(buf.begin(), buf.begin() + 8), Concat(4, {9, 10}));
    EXPECT_EQ(buf[8], 0xCC);
    EXPECT_TRUE(s->ReadRecs(1, 10, std::vector<uint8_t>(40).data()));
    buf.assign(20, 0xCC);
    EXPECT_FALSE(s->ReadRecs(11, 1, buf.data()));
    EXPECT_FALSE(s->ReadRecs(0, 1, buf.data()));
    EXPECT_FALSE(s->ReadRecs(1, 0, buf.data()));
    EXPECT_EQ(buf, std::vector<uint8_t>(20, 0xCC));
  }
}

TEST_F(SwapRecordsTest, WriteRecsAcrossAPageBoundaryChangesBothPages) {
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(Path("wr"), 4, 3, 2, 0.0f));
  const auto run = Concat(4, {1, 2, 3, 4});
  s->WriteRecs(2, 4, run.data());  // records 2..5: pages 1 and 2
  EXPECT_EQ(s->Count(), 5);
  EXPECT_EQ(s->PageFirst(1), 1);
  EXPECT_EQ(s->PageFirst(2), 4);
  EXPECT_TRUE(s->PageDirty(1));
  EXPECT_TRUE(s->PageDirty(2));
  std::vector<uint8_t> got(16);
  EXPECT_TRUE(s->ReadRecs(2, 4, got.data()));
  EXPECT_EQ(got, run);
  s->WriteRecs(0, 1, run.data());
  s->WriteRecs(1, 0, run.data());
  EXPECT_EQ(s->Count(), 5);
}

struct TRemover : TSwapFile {
  using TSwapFile::TSwapFile;
  std::vector<int32_t> removed;
  void RecordRemoved(int32_t RecNo, void*, uint32_t Extra) override {
    EXPECT_EQ(Extra, 77u);
    removed.push_back(RecNo);
  }
};

struct TEvenPicker {
  int calls = 0;
  bool Pick(int32_t RecNo, void* Rec, uint32_t) {
    ++calls;
    static_cast<uint8_t*>(Rec)[0] ^= 0xFF;  // what stays is what the predicate leaves
    return RecNo % 2 == 0;
  }
};

TEST_F(SwapRecordsTest, RemoveWhereKeepsTheOrderOfTheRestAndReportsEachRemoval) {
  std::vector<std::unique_ptr<TRemover>> stores;
  stores.emplace_back(new TRemover(8));
  stores.emplace_back(new TRemover(swCreateNew, Path("rw"), 8, 2, 1, 0.0f));
  for (auto& s : stores) {
    TEvenPicker picker;
    EXPECT_EQ(s->RemoveWhere(77, TSwapFile::TRemovePredicate::Of<&TEvenPicker::Pick>(&picker)), 0);
    EXPECT_EQ(picker.calls, 0);
    for (int r = 1; r <= 5; ++r) s->AppendRec(Rec(8, r).data());
    EXPECT_EQ(s->RemoveWhere(77, TSwapFile::TRemovePredicate::Of<&TEvenPicker::Pick>(&picker)), 2);
    EXPECT_EQ(s->removed, (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(s->Count(), 3);
    auto expected = Concat(8, {1, 3, 5});
    for (int i : {0, 8, 16}) expected[static_cast<size_t>(i)] ^= 0xFF;
    EXPECT_EQ(ReadAll(*s), expected);
    // Any callable serves as a predicate too.
    EXPECT_EQ(s->RemoveWhere(77, [](int32_t RecNo, void*, uint32_t) { return RecNo == 1; }), 1);
    EXPECT_EQ(s->Count(), 2);
  }
}

TEST_F(SwapRecordsTest, CopyFromMovesRunsBetweenEitherFormAndWithinOneStore) {
  for (int srcForm = 0; srcForm < 2; ++srcForm) {
    for (int dstForm = 0; dstForm < 2; ++dstForm) {
      auto src = BothForms(4);
      auto dst = BothForms(4);
      TSwapFile& a = *src[static_cast<size_t>(srcForm)];
      TSwapFile& b = *dst[static_cast<size_t>(dstForm)];
      for (int r = 1; r <= 8; ++r) a.AppendRec(Rec(4, r).data());
      b.AppendRec(Rec(4, 100).data());
      b.CopyFrom(a, 3, 100, 2);  // as many as exist: 3..8
      EXPECT_EQ(ReadAll(b), Concat(4, {100, 3, 4, 5, 6, 7, 8})) << srcForm << dstForm;
      b.CopyFrom(&a, 9, 1, 1);  // beyond the source: nothing
      b.CopyFrom(a, 1, 0, 1);
      EXPECT_EQ(b.Count(), 7);
    }
  }
  for (auto& s : BothForms(4)) {
    for (int r = 1; r <= 8; ++r) s->AppendRec(Rec(4, r).data());
    s->CopyFrom(*s, 1, 6, 3);  // forwards, overlapping
    EXPECT_EQ(ReadAll(*s), Concat(4, {1, 2, 1, 2, 3, 4, 5, 6}));
    s->CopyFrom(*s, 3, 6, 1);  // backwards, overlapping
    EXPECT_EQ(ReadAll(*s), Concat(4, {1, 2, 3, 4, 5, 6, 5, 6}));
  }
  // Records of 128 KiB travel two at a time: the run is longer than the buffer.
  const int32_t big = 131072;
  std::unique_ptr<TSwapFile> p(TSwapFile::CreateNew(Path("big"), big, 2, 2, 0.0f));
  for (int r = 1; r <= 7; ++r) p->AppendRec(Rec(big, r).data());
  p->CopyFrom(*p, 1, 6, 2);
  EXPECT_EQ(ReadAll(*p), Concat(big, {1, 1, 2, 3, 4, 5, 6}));
  p->CopyFrom(*p, 2, 6, 1);
  EXPECT_EQ(ReadAll(*p), Concat(big, {1, 2, 3, 4, 5, 6, 6}));
  TSwapFile other(5), mine(4);
  other.AppendRec(Rec(5, 1).data());
  mine.CopyFrom(other, 1, 1, 1);
  EXPECT_EQ(mine.Count(), 0);
}

TEST_F(SwapRecordsTest, ClearEmptiesBothForms) {
  for (auto& s : BothForms(4)) {
    for (int r = 1; r <= 8; ++r) s->AppendRec(Rec(4, r).data());
    s->Clear();
    EXPECT_EQ(s->Count(), 0);
    EXPECT_EQ(s->AppendRec(Rec(4, 9).data()), 1);
    EXPECT_EQ(ReadAll(*s), Rec(4, 9));
  }
}

TEST_F(SwapRecordsTest, SaveToFileWritesTheRecordsBackToBack) {
  for (auto& s : BothForms(4)) {
    for (int r = 1; r <= 8; ++r) s->AppendRec(Rec(4, r).data());
    s->SaveToFile(Path("all.dat"));
    EXPECT_EQ(ReadFileBytes(Path("all.dat")), ReadAll(*s));
    s->SaveToFile(Path("part.dat"), 3, 4);
    EXPECT_EQ(ReadFileBytes(Path("part.dat")), Concat(4, {3, 4, 5, 6}));
    s->SaveToFile(Path("part.dat"), 7, 10);  // as far as records exist
    EXPECT_EQ(ReadFileBytes(Path("part.dat")), Concat(4, {7, 8}));
  }
}

TEST_F(SwapRecordsTest, SaveToFileNeedsTheRoundedKiBFree) {
  struct Case {
    int32_t R, N;
    int64_t needKiB;
  };
  // 2.93 KiB rounds to 3; exact halves round to even: 1.5 to 2, 2.5 to 2.
  const Case cases[] = {{1, 3000, 3}, {1, 1536, 2}, {1, 2560, 2}, {512, 1, 0}, {512, 3, 2}};
  for (const Case& c : cases) {
    TSwapFile s(c.R);
    s.WriteRec(c.N, Rec(c.R, 1).data());
    if (c.needKiB > 0) {
      Disk.FreeBytesValue = (c.needKiB - 1) * 1024 + 1023;
      std::filesystem::remove(Path("k.dat"));
      try {
        s.SaveToFile(Path("k.dat"));
        ADD_FAILURE() << "saved with too little space " << c.R * c.N;
      } catch (const ESwapFileError& e) {
        EXPECT_EQ(e.ErrorCode, 2);
      }
      EXPECT_FALSE(std::filesystem::exists(Path("k.dat")));
      Disk.FreeBytesValue = c.needKiB * 1024;
    }
    s.SaveToFile(Path("k.dat"));
    EXPECT_EQ(FileLength(Path("k.dat")), int64_t{c.R} * c.N);
  }
}

TEST_F(SwapRecordsTest, DiskFreeKBSaturatesInsteadOfWrapping) {
  struct Case {
    int64_t bytes;
    int32_t kib;
  };
  const Case cases[] = {{1023, 0},
                        {5 * 1024 + 100, 5},
                        {(1LL << 41) - 1024, INT32_MAX},  // 2 TiB less 1 KiB
                        {3LL << 40, INT32_MAX}};
  for (const Case& c : cases) {
    Disk.FreeBytesValue = c.bytes;
    EXPECT_EQ(DiskFreeKB(3), c.kib) << c.bytes;
  }
  Disk.FreeBytesValue = -1;
  EXPECT_EQ(DiskFreeKB(-1), 0);
  EXPECT_EQ(DiskFreeKB(27), 0);
  EXPECT_GT(DiskFreeKB(0), 0);  // the current drive
  // A save on a drive with more than 2 TiB free is not refused.
  Disk.FreeBytesValue = 3LL << 40;
  TSwapFile s(1);
  s.WriteRec(4096, Rec(1, 1).data());
  EXPECT_NO_THROW(s.SaveToFile(Path("big-volume.dat")));
}

TEST_F(SwapRecordsTest, FileSizeByNameFindsTheFirstMatch) {
  WriteFileBytes(Path("size.dat"), std::vector<uint8_t>(1234));
  EXPECT_EQ(FileSizeByName(Path("size.dat")), 1234);
  EXPECT_EQ(FileSizeByName(Path("si?e.d*")), 1234);
  EXPECT_EQ(FileSizeByName(Path("nothing.*")), 0);
  EXPECT_EQ(FileSizeByName(Path("nothing.dat")), 0);
  Disk.FileSizeValue = 5LL << 30;
  EXPECT_EQ(FileSizeByName(Path("size.dat")), INT32_MAX);
}

TEST_F(SwapRecordsTest, FileAccessStatusProbesWritingThenReading) {
  WriteFileBytes(Path("f.dat"), {1, 2, 3});
  const std::wstring full = PlatformSwapDisk().FullName(WidePath(L"f.dat"));
  EXPECT_EQ(FileAccessStatus(Path("missing.dat")), 1);
  EXPECT_EQ(FileAccessStatus(Path("f.dat")), 1);
  Disk.WriteDenied.insert(full);
  EXPECT_EQ(FileAccessStatus(Path("f.dat")), 0);
  Disk.OpenDenied.insert(full);
  EXPECT_EQ(FileAccessStatus(Path("f.dat")), 2);
  EXPECT_EQ(Disk.OpenNow(), 0);
}

TEST_F(SwapRecordsTest, CopyFileCheckedCopiesAndRefusesWhatItCannotDo) {
  std::vector<uint8_t> bytes(300000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31 + (i >> 9));
  WriteFileBytes(Path("src.dat"), bytes);
  EXPECT_TRUE(CopyFileChecked(Path("src.dat"), Path("dst.dat")));
  EXPECT_EQ(ReadFileBytes(Path("dst.dat")), bytes);
  EXPECT_EQ(SwapMngr->FileCount(), 0);

  // A target that exists but cannot be written: false, both files unchanged.
  WriteFileBytes(Path("locked.dat"), {9, 9});
  Disk.WriteDenied.insert(PlatformSwapDisk().FullName(WidePath(L"locked.dat")));
  EXPECT_FALSE(CopyFileChecked(Path("src.dat"), Path("locked.dat")));
  EXPECT_EQ(ReadFileBytes(Path("locked.dat")), (std::vector<uint8_t>{9, 9}));
  EXPECT_EQ(ReadFileBytes(Path("src.dat")), bytes);

  EXPECT_FALSE(CopyFileChecked(Path("missing.dat"), Path("x.dat")));
  EXPECT_FALSE(CopyFileChecked(Path("src.dat"), Path("src.dat")));
  EXPECT_EQ(ReadFileBytes(Path("src.dat")), bytes);

  // A source that exists but cannot be opened copies nothing and says so.
  Disk.OpenDenied.insert(WidePath(L"src.dat"));
  EXPECT_FALSE(CopyFileChecked(Path("src.dat"), Path("y.dat")));
  EXPECT_FALSE(std::filesystem::exists(Path("y.dat")));

  // Too little space on the target's volume.
  Disk.OpenDenied.clear();
  Disk.FreeBytesValue = 100 * 1024;
  EXPECT_FALSE(CopyFileChecked(Path("src.dat"), Path("z.dat")));
  EXPECT_EQ(Disk.OpenNow(), 0);
}

#ifdef _WIN32
// With Windows' sharing modes: a target held open by a reader that denies
// writing can only be read, so nothing is copied onto it.
TEST_F(SwapRecordsTest, ATargetHeldOpenWithoutWriteSharingIsNotOverwritten) {
  WriteFileBytes(Path("src.dat"), std::vector<uint8_t>(5000, 1));
  WriteFileBytes(Path("held.dat"), {7, 7, 7});
  TSwapDisk& disk = PlatformSwapDisk();
  const TDiskHandle holder = disk.Open(WidePath(L"held.dat"), fmOpenRead | fmShareDenyWrite);
  ASSERT_NE(holder, InvalidDiskHandle);
  EXPECT_EQ(FileAccessStatus(Path("held.dat")), 0);
  EXPECT_FALSE(CopyFileChecked(Path("src.dat"), Path("held.dat")));
  disk.Close(holder);
  EXPECT_EQ(ReadFileBytes(Path("held.dat")), (std::vector<uint8_t>{7, 7, 7}));
  EXPECT_TRUE(CopyFileChecked(Path("src.dat"), Path("held.dat")));
  EXPECT_EQ(FileLength(Path("held.dat")), 5000);
}
#endif

}  // namespace
