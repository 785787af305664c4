// The manager: budget, handle check, open-file limit, shutdown; the unit's
// start and stop and the graphics-object stores.

#include <algorithm>
#include <memory>

#include "SwapTestSupport.h"
#include "swap/GdiObjectStores.h"

namespace {

using namespace swaptest;

class SwapMngrTest : public SwapTest {};

TEST_F(SwapMngrTest, MemoryBudgetIsMemoryTheProcessCanHoldLessReserveButAtLeast12MiB) {
  constexpr int64_t MiB = 1 << 20, GiB = MiB << 10, Unlimited = INT64_MAX;
  // The platform's own figures.
  EXPECT_LE(SwapMngr->MemoryLimit(), std::max(12 * MiB, PlatformSwapDisk().AvailableAddressSpace() - 20 * MiB));
  EXPECT_GT(PlatformSwapDisk().PhysicalMemory(), 0);
  struct Case {
    int64_t physical, addressSpace, budget;
  };
  const Case cases[] = {
      {16 * MiB, Unlimited, 12582912}, {31 * MiB, Unlimited, 12582912}, {32 * MiB, Unlimited, 12582912},
      {33 * MiB, Unlimited, 13 * MiB}, {64 * MiB, Unlimited, 46137344}, {8 * GiB, Unlimited, 8 * GiB - 20 * MiB},
      // A 32-bit process on a large machine: what it can still map decides.
      {8 * GiB, 1800 * MiB, 1780 * MiB}, {8 * GiB, 16 * MiB, 12 * MiB}, {64 * MiB, 2 * GiB, 44 * MiB},
  };
  for (const Case& c : cases) {
    SwapfileUnitStop();
    Disk.PhysicalMemoryBytes = c.physical;
    Disk.AddressSpaceBytes = c.addressSpace;
    SwapfileUnitStart();
    EXPECT_EQ(SwapMngr->MemoryLimit(), c.budget) << c.physical << " " << c.addressSpace;
  }
}

TEST_F(SwapMngrTest, TooFewHandlesFailsTheStartWithCode4AndLeavesNoManager) {
  SwapfileUnitStop();
  Disk.HandlesGranted = 59;
  try {
    SwapfileUnitStart();
    FAIL() << "no error";
  } catch (const ESwapFileError& e) {
    EXPECT_EQ(e.ErrorCode, 4);
    EXPECT_STREQ(e.what(), "SWAPERROR");
  }
  EXPECT_EQ(SwapMngr, nullptr);
  Disk.HandlesGranted = 60;
  SwapfileUnitStart();
  EXPECT_NE(SwapMngr, nullptr);
  EXPECT_EQ(SwapFilePrefix, "SWP");
}

TEST_F(SwapMngrTest, NeverMoreThan50DiskFilesOpenAndTheEarliestOpenedClosesFirst) {
  std::vector<std::unique_ptr<TSwapFile>> stores;
  for (int i = 0; i < 60; ++i) {
    TSwapFile* oldest = SwapMngr->OpenFileCount() == 50 ? SwapMngr->OpenFile(0) : nullptr;
    stores.emplace_back(TSwapFile::CreateNew(Path(Leaf("s", i)), 4, 2, 1, 0.0f));
    if (oldest) {
      EXPECT_FALSE(oldest->FileOpen()) << "store " << i;
      EXPECT_EQ(oldest, stores[static_cast<size_t>(i - 50)].get());
    }
    EXPECT_LE(SwapMngr->OpenFileCount(), 50);
  }
  EXPECT_EQ(SwapMngr->OpenFileCount(), 50);
  // Every store works, reopening its file as needed, in several rounds that
  // force pages out to disk and back.
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 60; ++i)
      for (int r = 1; r <= 6; ++r) stores[static_cast<size_t>(i)]->WriteRec(r, Rec(4, uint32_t(i * 100 + r + round)).data());
    for (int i = 0; i < 60; ++i) {
      for (int r = 1; r <= 6; ++r) {
        std::vector<uint8_t> got(4);
        ASSERT_TRUE(stores[static_cast<size_t>(i)]->ReadRec(r, got.data()));
        EXPECT_EQ(got, Rec(4, uint32_t(i * 100 + r + round))) << i << "/" << r;
      }
    }
  }
  EXPECT_LE(Disk.MaxOpen, 50);
  EXPECT_EQ(SwapMngr->OpenFileCount(), Disk.OpenNow());
  stores.clear();
  EXPECT_EQ(Disk.OpenNow(), 0);
  EXPECT_EQ(SwapMngr->OpenFileCount(), 0);
  EXPECT_EQ(SwapMngr->FileCount(), 0);
}

TEST_F(SwapMngrTest, StoppingTheUnitDetachesTheStoresLeftWhateverHoldsThem) {
  // Held on the stack, by a std::unique_ptr and by a raw pointer, all past
  // the unit's stop: the manager frees none of them (a double free under the
  // sanitizers), but nothing of theirs stays open or on disk.
  TSwapFile memory(8);
  memory.AppendRec(Rec(8, 1).data());
  memory.FlushAll();  // gives it a temporary file
  std::unique_ptr<TSwapFile> paged(TSwapFile::CreateNew(Path("paged.swp"), 8, 4, 2, 0.0f));
  for (int r = 1; r <= 9; ++r) paged->AppendRec(Rec(8, r).data());
  TSwapFile* raw = TSwapFile::Create(8);
  const std::wstring pagedName = paged->WideFileName(), memoryName = memory.WideFileName();
  EXPECT_EQ(std::filesystem::path(memoryName).filename().string().rfind("SWP", 0), 0u) << memoryName;
  EXPECT_TRUE(std::filesystem::exists(pagedName));
  EXPECT_TRUE(std::filesystem::exists(memoryName));
  EXPECT_EQ(SwapMngr->FileCount(), 3);

  SwapfileUnitStop();
  EXPECT_EQ(SwapMngr, nullptr);
  EXPECT_EQ(SwapFilePrefix, "");
  EXPECT_FALSE(std::filesystem::exists(pagedName));
  EXPECT_FALSE(std::filesystem::exists(memoryName));
  EXPECT_EQ(Disk.OpenNow(), 0);
  // Detached: empty and read-only, whatever is asked of them.
  std::vector<uint8_t> got(8, 0x55);
  for (TSwapFile* s : {&memory, paged.get(), raw}) {
    EXPECT_EQ(s->Count(), 0);
    EXPECT_FALSE(s->ReadRec(1, got.data()));
    EXPECT_EQ(s->AppendRec(Rec(8, 2).data()), 0);
    EXPECT_EQ(s->GetRecPtr(1), nullptr);
    s->Clear();
    s->FlushAll();
    s->Commit();
    EXPECT_EQ(s->RemoveWhere(0, [](int32_t, void*, uint32_t) { return true; }), 0);
  }
  // Their owners destroy them later, under a new manager that never knew them.
  SwapfileUnitStart();
  std::unique_ptr<TSwapFile> other(TSwapFile::Create(8));
  paged.reset();
  delete raw;
  EXPECT_EQ(SwapMngr->FileCount(), 1);
  EXPECT_EQ(SwapMngr->File(0), other.get());
}

TEST_F(SwapMngrTest, RemovingAFileThatIsNotListedChangesNothing) {
  std::unique_ptr<TSwapFile> a(TSwapFile::CreateNew(Path("a"), 4, 2, 1, 0.0f));
  std::unique_ptr<TSwapFile> b(TSwapFile::Create(4));
  SwapMngr->RemoveOpenFile(b.get());  // registered, but its file is not open
  SwapMngr->RemoveFile(nullptr);
  EXPECT_EQ(SwapMngr->FileCount(), 2);
  EXPECT_EQ(SwapMngr->OpenFileCount(), 1);
  EXPECT_EQ(SwapMngr->OpenFile(0), a.get());
  EXPECT_EQ(SwapMngr->File(0), a.get());
  EXPECT_EQ(SwapMngr->File(1), b.get());
}

std::vector<uint32_t> DeletedHandles;
void RecordDeletion(uint32_t handle) { DeletedHandles.push_back(handle); }

TEST_F(SwapMngrTest, GraphicsObjectStoresDeleteTheirHandlesInOrderAtStop) {
  GdiObjectStoresStart();
  ASSERT_NE(GdiObjectStore1, nullptr);
  ASSERT_NE(GdiObjectStore2, nullptr);
  EXPECT_TRUE(GdiObjectStore1->InMemory());
  EXPECT_EQ(GdiObjectStore1->RecSize(), 52);
  EXPECT_EQ(GdiObjectStore2->RecSize(), 12);
  EXPECT_EQ(SwapMngr->File(0), GdiObjectStore1);
  EXPECT_EQ(SwapMngr->File(1), GdiObjectStore2);
  for (uint32_t h : {0x11u, 0x12u}) {
    std::vector<uint8_t> r(52, 0xEE);
    std::memcpy(r.data(), &h, 4);
    GdiObjectStore1->AppendRec(r.data());
  }
  std::vector<uint8_t> r2(12, 0xEE);
  const uint32_t h2 = 0x80000021u;
  std::memcpy(r2.data(), &h2, 4);
  GdiObjectStore2->AppendRec(r2.data());

  DeletedHandles.clear();
  const TGdiObjectDeleter previous = SetGdiObjectDeleter(&RecordDeletion);
  GdiObjectStoresStop();
  SetGdiObjectDeleter(previous);
  EXPECT_EQ(DeletedHandles, (std::vector<uint32_t>{0x11u, 0x12u, 0x80000021u}));
  EXPECT_EQ(GdiObjectStore1, nullptr);
  EXPECT_EQ(GdiObjectStore2, nullptr);
  EXPECT_EQ(SwapMngr->FileCount(), 0);
}

}  // namespace
