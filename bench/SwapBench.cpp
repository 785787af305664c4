// Benchmark of the swap-file storage with 52-byte records. Every figure is
// measured against a baseline of the same run: a std::vector of the same
// records, memcpy of the same bytes, or raw reads and writes of the same
// bytes through the same disk (see BenchRatios.cpp for the pairs and goals).
//
// Natively this is a Google Benchmark program; the Windows build uses the
// self-timed stand-in of MiniBench.h with the same cases. Options as Google
// Benchmark's (--benchmark_repetitions=5 ...). KORVEX_BENCH_DIR chooses the
// folder of the paged benchmarks' files (1 GiB each by default,
// KORVEX_BENCH_PAGED_MB changes that); they are deleted at the end.

#ifdef KORVEX_MINI_BENCH
#include "MiniBench.h"
#else
#include <benchmark/benchmark.h>
#endif

#include <array>
#include <map>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "BenchRatios.h"
#include "RawFile.h"
#include "swap/Swapfile.h"

namespace {

constexpr int32_t R = 52;
using TRec = std::array<uint8_t, R>;
constexpr int32_t MemRecs = 1 << 20;  // 52 MiB, beyond the processor caches
constexpr int32_t RunRecs = 1024;
constexpr int32_t PageRecs = 65536 / R;  // 1,260 records: 65,520 bytes
constexpr int64_t PageBytes = int64_t{PageRecs} * R;
constexpr int PageSlots = 16;
constexpr int32_t RandomCount = 1 << 20;

int64_t PagedRecs() {
  const char* mb = std::getenv("KORVEX_BENCH_PAGED_MB");
  const int64_t bytes = (mb && *mb ? std::atoll(mb) : 1024) << 20;
  return bytes / PageBytes * PageRecs;  // whole pages
}

TRec Make(uint32_t i) {
  TRec r;
  for (int b = 0; b < R; ++b) r[static_cast<size_t>(b)] = static_cast<uint8_t>(i * 131 + static_cast<uint32_t>(b));
  return r;
}

// ---------------------------------------------------------------- fixtures

std::vector<TRec>& Vec() {
  static std::vector<TRec> v = [] {
    std::vector<TRec> x(MemRecs);
    for (int32_t i = 0; i < MemRecs; ++i) x[static_cast<size_t>(i)] = Make(static_cast<uint32_t>(i));
    return x;
  }();
  return v;
}

std::vector<TRec>& Vec2() {
  static std::vector<TRec> v(Vec());
  return v;
}

TSwapFile& FilledStore(std::unique_ptr<TSwapFile>& s) {
  if (!s) {
    s.reset(TSwapFile::Create(R));
    for (int32_t i = 0; i < MemRecs; ++i) s->AppendRec(Make(static_cast<uint32_t>(i)).data());
  }
  return *s;
}
std::unique_ptr<TSwapFile> MemStoreA, MemStoreB, PagedReader, PagedHits;

// Numbers from 1 to Count in a random order, one fixed sequence per Count.
const std::vector<int32_t>& RandomRecs(int32_t count) {
  static std::map<int32_t, std::vector<int32_t>> sequences;
  std::vector<int32_t>& v = sequences[count];
  if (v.empty()) {
    std::mt19937 rng(42);
    v.resize(RandomCount);
    for (auto& x : v) x = static_cast<int32_t>(rng() % static_cast<uint32_t>(count)) + 1;
  }
  return v;
}

std::string DataFile() { return BenchDirectory() + "/swapbench-data.dat"; }
std::string RawWriteName() { return BenchDirectory() + "/swapbench-write.dat"; }
std::string AppendFile() { return BenchDirectory() + "/swapbench-append.swp"; }

// The paged benchmarks' data: PagedRecs() records written raw, then read
// once so that the system cache is warm.
void EnsureDataFile() {
  static bool done = false;
  if (done) return;
  done = true;
  const int64_t pages = PagedRecs() / PageRecs;
  std::vector<uint8_t> page(static_cast<size_t>(PageBytes));
  {
    TRawFile f(DataFile(), true);
    for (int64_t p = 0; p < pages; ++p) {
      for (int32_t i = 0; i < PageRecs; ++i) {
        const TRec r = Make(static_cast<uint32_t>(p * PageRecs + i));
        std::memcpy(page.data() + static_cast<size_t>(i) * R, r.data(), R);
      }
      f.Write(page.data(), PageBytes);
    }
    f.Rewind();
    while (f.Read(page.data(), PageBytes) > 0) {
    }
  }
}

TSwapFile& Reader() {
  EnsureDataFile();
  if (!PagedReader) PagedReader.reset(TSwapFile::OpenReadOnly(DataFile(), R, PageRecs, PageSlots, 0.0f));
  return *PagedReader;
}

// ------------------------------------------------------------ in-memory

void VectorReadSeq(benchmark::State& state) {
  auto& v = Vec();
  static size_t savedI = 0;  // positions carry on from run to run
  size_t i = savedI;
  TRec out;
  for (auto _ : state) {
    out = v[i];
    benchmark::DoNotOptimize(out);
    if (++i == v.size()) i = 0;
  }
  savedI = i;
  state.SetItemsProcessed(state.iterations());
}

void MemReadRecSeq(benchmark::State& state) {
  TSwapFile& s = FilledStore(MemStoreA);
  static int32_t savedI = 1;  // positions carry on from run to run
  int32_t i = savedI;
  TRec out;
  for (auto _ : state) {
    s.ReadRec(i, out.data());
    benchmark::DoNotOptimize(out);
    if (++i > MemRecs) i = 1;
  }
  savedI = i;
  state.SetItemsProcessed(state.iterations());
}

void VectorReadRand(benchmark::State& state) {
  auto& v = Vec();
  const auto& idx = RandomRecs(MemRecs);
  static size_t savedK = 0;  // positions carry on from run to run
  size_t k = savedK;
  TRec out;
  for (auto _ : state) {
    out = v[static_cast<size_t>(idx[k] - 1)];
    benchmark::DoNotOptimize(out);
    k = (k + 1) & (RandomCount - 1);
  }
  savedK = k;
  state.SetItemsProcessed(state.iterations());
}

void MemReadRecRand(benchmark::State& state) {
  TSwapFile& s = FilledStore(MemStoreA);
  const auto& idx = RandomRecs(MemRecs);
  static size_t savedK = 0;  // positions carry on from run to run
  size_t k = savedK;
  TRec out;
  for (auto _ : state) {
    s.ReadRec(idx[k], out.data());
    benchmark::DoNotOptimize(out);
    k = (k + 1) & (RandomCount - 1);
  }
  savedK = k;
  state.SetItemsProcessed(state.iterations());
}

// Appending into reserved room: the vector reserves, the store is made with
// an initial page of that many records (which Clear never shrinks). Both are
// made and touched once, so no case pays for the system's first touch.
std::vector<TRec>& ReservedVector() {
  static std::vector<TRec> v = [] {
    std::vector<TRec> x;
    x.reserve(MemRecs);
    x.resize(MemRecs);
    x.clear();
    return x;
  }();
  return v;
}

std::unique_ptr<TSwapFile> ReservedStore;

void VectorPushBackReserved(benchmark::State& state) {
  std::vector<TRec>& v = ReservedVector();
  v.clear();
  const TRec rec = Make(7);
  for (auto _ : state) {
    v.push_back(rec);
    benchmark::DoNotOptimize(v.data());
    if (v.size() == MemRecs) {
      state.PauseTiming();
      v.clear();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
}

void MemAppendRec(benchmark::State& state) {
  if (!ReservedStore) {
    ReservedStore.reset(TSwapFile::Create(R, MemRecs));
    for (int32_t i = 0; i < MemRecs; ++i) ReservedStore->AppendRec(Make(0).data());
  }
  TSwapFile& s = *ReservedStore;
  s.Clear();
  const TRec rec = Make(7);
  for (auto _ : state) {
    s.AppendRec(rec.data());
    if (s.Count() == MemRecs) {
      state.PauseTiming();
      s.Clear();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
}

// Runs of RunRecs records through the whole store, in order.
template <class F>
void Runs(benchmark::State& state, F&& step) {
  static int32_t savedPos = 0;  // positions carry on from run to run
  int32_t pos = savedPos;
  for (auto _ : state) {
    step(pos);
    pos += RunRecs;
    if (pos + RunRecs > MemRecs) pos = 0;
  }
  savedPos = pos;
  state.SetBytesProcessed(state.iterations() * RunRecs * R);
}

void MemcpyRunOut(benchmark::State& state) {
  auto& v = Vec();
  std::vector<uint8_t> buf(RunRecs * R);
  Runs(state, [&](int32_t pos) {
    std::memcpy(buf.data(), v[static_cast<size_t>(pos)].data(), RunRecs * R);
    benchmark::ClobberMemory();
  });
}

void MemReadRecsRun(benchmark::State& state) {
  TSwapFile& s = FilledStore(MemStoreA);
  std::vector<uint8_t> buf(RunRecs * R);
  Runs(state, [&](int32_t pos) {
    s.ReadRecs(pos + 1, RunRecs, buf.data());
    benchmark::ClobberMemory();
  });
}

void MemcpyRunIn(benchmark::State& state) {
  auto& v = Vec();
  std::vector<uint8_t> buf(RunRecs * R, 3);
  Runs(state, [&](int32_t pos) {
    std::memcpy(v[static_cast<size_t>(pos)].data(), buf.data(), RunRecs * R);
    benchmark::ClobberMemory();
  });
}

void MemWriteRecsRun(benchmark::State& state) {
  TSwapFile& s = FilledStore(MemStoreA);
  std::vector<uint8_t> buf(RunRecs * R, 3);
  Runs(state, [&](int32_t pos) {
    s.WriteRecs(pos + 1, RunRecs, buf.data());
    benchmark::ClobberMemory();
  });
}

void MemcpyRunCopy(benchmark::State& state) {
  auto& a = Vec();
  auto& b = Vec2();
  Runs(state, [&](int32_t pos) {
    std::memcpy(b[static_cast<size_t>(pos)].data(), a[static_cast<size_t>(pos)].data(), RunRecs * R);
    benchmark::ClobberMemory();
  });
}

void MemCopyFromRun(benchmark::State& state) {
  TSwapFile& a = FilledStore(MemStoreA);
  TSwapFile& b = FilledStore(MemStoreB);
  Runs(state, [&](int32_t pos) {
    b.CopyFrom(a, pos + 1, RunRecs, pos + 1);
    benchmark::ClobberMemory();
  });
}

// ---------------------------------------------------------------- paged

void RawReadSeq(benchmark::State& state) {
  EnsureDataFile();
  TRawFile f(DataFile(), false);
  std::vector<uint8_t> buf(static_cast<size_t>(PageBytes));
  static int64_t savedOffset = 0;  // positions carry on from run to run
  int64_t offset = savedOffset;
  f.SeekTo(offset);
  for (auto _ : state) {
    if (f.Read(buf.data(), PageBytes) < PageBytes) {
      f.Rewind();
      offset = 0;
      f.Read(buf.data(), PageBytes);
    }
    offset += PageBytes;
    benchmark::ClobberMemory();
  }
  savedOffset = offset;
  state.SetBytesProcessed(state.iterations() * PageBytes);
}

void PagedReadRecSeq(benchmark::State& state) {
  TSwapFile& s = Reader();
  const int32_t n = static_cast<int32_t>(s.Count());
  static int32_t savedI = 1;  // positions carry on from run to run
  int32_t i = savedI;
  TRec out;
  for (auto _ : state) {
    s.ReadRec(i, out.data());
    benchmark::DoNotOptimize(out);
    if (++i > n) i = 1;
  }
  savedI = i;
  state.SetBytesProcessed(state.iterations() * R);
}

void PagedReadRecsRun(benchmark::State& state) {
  TSwapFile& s = Reader();
  const int32_t n = static_cast<int32_t>(s.Count());
  std::vector<uint8_t> buf(static_cast<size_t>(PageBytes));
  static int32_t savedI = 1;  // positions carry on from run to run
  int32_t i = savedI;
  for (auto _ : state) {
    s.ReadRecs(i, PageRecs, buf.data());
    benchmark::ClobberMemory();
    i += PageRecs;
    if (i > n) i = 1;
  }
  savedI = i;
  state.SetBytesProcessed(state.iterations() * PageBytes);
}

void RawWriteSeq(benchmark::State& state) {
  const int64_t limit = PagedRecs() * R;
  TRawFile f(RawWriteName(), true);
  std::vector<uint8_t> buf(static_cast<size_t>(PageBytes), 5);
  int64_t written = 0;
  for (auto _ : state) {
    f.Write(buf.data(), PageBytes);
    written += PageBytes;
    if (written >= limit) {
      state.PauseTiming();
      f.Truncate();
      written = 0;
      state.ResumeTiming();
    }
  }
  state.SetBytesProcessed(state.iterations() * PageBytes);
  f.Truncate();
}

void PagedAppendRecSeq(benchmark::State& state) {
  const int64_t limit = PagedRecs();
  std::unique_ptr<TSwapFile> s(TSwapFile::CreateNew(AppendFile(), R, PageRecs, PageSlots, 0.0f));
  const TRec rec = Make(9);
  for (auto _ : state) {
    s->AppendRec(rec.data());
    if (s->Count() >= limit) {
      state.PauseTiming();
      s->Clear();
      state.ResumeTiming();
    }
  }
  state.SetBytesProcessed(state.iterations() * R);
}

// A whole page read at a random page of the file, and a record read from a
// random page of the store (a miss but for 16 pages in 16,000).
void RawReadRandomPage(benchmark::State& state) {
  EnsureDataFile();
  TRawFile f(DataFile(), false);
  const int32_t pages = static_cast<int32_t>(PagedRecs() / PageRecs);
  const auto& idx = RandomRecs(pages);
  std::vector<uint8_t> buf(static_cast<size_t>(PageBytes));
  static size_t savedK = 0;  // positions carry on from run to run
  size_t k = savedK;
  for (auto _ : state) {
    f.ReadAt((idx[k] - 1) * PageBytes, buf.data(), PageBytes);
    benchmark::ClobberMemory();
    k = (k + 1) & (RandomCount - 1);
  }
  savedK = k;
  state.SetItemsProcessed(state.iterations());
}

void PagedMissRandom(benchmark::State& state) {
  TSwapFile& s = Reader();
  const int32_t pages = static_cast<int32_t>(PagedRecs() / PageRecs);
  const auto& idx = RandomRecs(pages);
  static size_t savedK = 0;  // positions carry on from run to run
  size_t k = savedK;
  TRec out;
  for (auto _ : state) {
    s.ReadRec((idx[k] - 1) * PageRecs + 1 + static_cast<int32_t>(k % PageRecs), out.data());
    benchmark::DoNotOptimize(out);
    k = (k + 1) & (RandomCount - 1);
  }
  savedK = k;
  state.SetItemsProcessed(state.iterations());
}

// Every access lands in another of the 16 cached pages than the current one,
// on one of a few records per page, so that what is timed is finding the
// page and not the processor cache missing the record.
void PagedHitCached(benchmark::State& state) {
  EnsureDataFile();
  if (!PagedHits) PagedHits.reset(TSwapFile::OpenReadOnly(DataFile(), R, PageRecs, PageSlots, 0.0f));
  TSwapFile& s = *PagedHits;
  TRec out;
  for (int p = 0; p < PageSlots; ++p) s.ReadRec(p * PageRecs + 1, out.data());
  uint32_t k = 0;
  for (auto _ : state) {
    s.ReadRec(static_cast<int32_t>((k * 7) % PageSlots) * PageRecs + 1 + static_cast<int32_t>(k % 8), out.data());
    benchmark::DoNotOptimize(out);
    ++k;
  }
  state.SetItemsProcessed(state.iterations());
}

void Register() {
  struct {
    const char* name;
    void (*fn)(benchmark::State&);
  } const cases[] = {
      {"Vector/ReadSeq", VectorReadSeq},
      {"Mem/ReadRecSeq", MemReadRecSeq},
      {"Vector/ReadRand", VectorReadRand},
      {"Mem/ReadRecRand", MemReadRecRand},
      {"Vector/PushBackReserved", VectorPushBackReserved},
      {"Mem/AppendRec", MemAppendRec},
      {"Memcpy/RunOut", MemcpyRunOut},
      {"Mem/ReadRecsRun", MemReadRecsRun},
      {"Memcpy/RunIn", MemcpyRunIn},
      {"Mem/WriteRecsRun", MemWriteRecsRun},
      {"Memcpy/RunCopy", MemcpyRunCopy},
      {"Mem/CopyFromRun", MemCopyFromRun},
      {"Raw/ReadSeq", RawReadSeq},
      {"Paged/ReadRecSeq", PagedReadRecSeq},
      {"Paged/ReadRecsRun", PagedReadRecsRun},
      {"Raw/WriteSeq", RawWriteSeq},
      {"Paged/AppendRecSeq", PagedAppendRecSeq},
      {"Raw/ReadRandomPage", RawReadRandomPage},
      {"Paged/MissRandom", PagedMissRandom},
      {"Paged/HitCached", PagedHitCached},
  };
  for (const auto& c : cases) benchmark::RegisterBenchmark(c.name, c.fn)->UseRealTime()->Unit(benchmark::kNanosecond);
}

void Cleanup() {
  ReservedStore.reset();
  MemStoreA.reset();
  MemStoreB.reset();
  PagedReader.reset();
  PagedHits.reset();
  RemoveRawFile(DataFile());
  RemoveRawFile(RawWriteName());
}

#ifndef KORVEX_MINI_BENCH
// Prints Google Benchmark's own report and keeps the medians (or the single
// runs without repetitions) for the table of ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  explicit TRatioReporter(TBenchResults& results) : results_(results) {}
  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
      if (run.error_occurred) continue;
      const bool aggregate = run.run_type == Run::RT_Aggregate;
      if (aggregate && run.aggregate_name != "median") continue;
      if (!aggregate && run.repetitions > 1) continue;
      TBenchResult& r = results_[run.run_name.function_name];
      auto items = run.counters.find("items_per_second");
      auto bytes = run.counters.find("bytes_per_second");
      r.ItemsPerSecond = items != run.counters.end() ? items->second.value : 0;
      r.BytesPerSecond = bytes != run.counters.end() ? bytes->second.value : 0;
      r.NsPerIteration = run.GetAdjustedRealTime();
      r.CpuNsPerIteration = run.GetAdjustedCPUTime();
    }
  }

private:
  TBenchResults& results_;
};
#endif

}  // namespace

int main(int argc, char** argv) {
  SwapfileUnitStart();
  Register();
  TBenchResults results;
#ifdef KORVEX_MINI_BENCH
  benchmark::RunMiniBenchmarks(argc, argv, results);
#else
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter(results);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
#endif
  Cleanup();
  const int missed = PrintRatioTable(results, stdout);
  SwapfileUnitStop();
  std::printf("\n%d goal(s) missed\n", missed);
  return 0;
}
