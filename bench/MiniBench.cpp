#include "MiniBench.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace benchmark {

namespace {

struct TEntry {
  std::string name;
  TBenchFunction fn;
  internal::Benchmark handle;
};

std::deque<TEntry>& Registry() {
  static std::deque<TEntry> entries;  // handles stay put as entries are added
  return entries;
}

struct TSample {
  double seconds;
  int64_t iterations, items, bytes;
};

TSample RunOnce(TBenchFunction fn, int64_t iterations) {
  State state(iterations);
  fn(state);
  return {state.Seconds(), iterations, state.Items(), state.Bytes()};
}

const char* Option(int argc, char** argv, const char* name) {
  const size_t len = std::strlen(name);
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], name, len) == 0 && argv[i][len] == '=') return argv[i] + len + 1;
  return nullptr;
}

}  // namespace

internal::Benchmark* RegisterBenchmark(const char* name, TBenchFunction fn) {
  Registry().push_back({name, fn, {}});
  return &Registry().back().handle;
}

void RunMiniBenchmarks(int argc, char** argv, TBenchResults& Results) {
  const char* filter = Option(argc, argv, "--benchmark_filter");
  const char* reps = Option(argc, argv, "--benchmark_repetitions");
  const char* minTime = Option(argc, argv, "--benchmark_min_time");
  const int repetitions = reps ? std::max(1, std::atoi(reps)) : 1;
  const double minSeconds = minTime ? std::atof(minTime) : 0.5;
  std::printf("%-28s %14s %12s %14s %14s\n", "benchmark (median)", "iterations", "ns/iter", "items/s", "bytes/s");
  for (const TEntry& e : Registry()) {
    if (filter && e.name.find(filter) == std::string::npos) continue;
    int64_t n = 1;
    TSample s = RunOnce(e.fn, n);
    while (s.seconds < minSeconds && n < 1000000000) {
      const double factor = std::clamp(1.4 * minSeconds / std::max(s.seconds, 1e-9), 1.0, 10.0);
      n = std::max<int64_t>(n + 1, static_cast<int64_t>(static_cast<double>(n) * factor));
      s = RunOnce(e.fn, n);
    }
    std::vector<TSample> samples{s};
    while (static_cast<int>(samples.size()) < repetitions) samples.push_back(RunOnce(e.fn, n));
    std::sort(samples.begin(), samples.end(),
              [](const TSample& a, const TSample& b) { return a.seconds < b.seconds; });
    const TSample& m = samples[samples.size() / 2];
    TBenchResult r;
    r.NsPerIteration = m.seconds * 1e9 / static_cast<double>(m.iterations);
    r.ItemsPerSecond = static_cast<double>(m.items) / m.seconds;
    r.BytesPerSecond = static_cast<double>(m.bytes) / m.seconds;
    Results[e.name] = r;
    std::printf("%-28s %14lld %12.2f %14.4g %14.4g\n", e.name.c_str(), static_cast<long long>(m.iterations),
                r.NsPerIteration, r.ItemsPerSecond, r.BytesPerSecond);
    std::fflush(stdout);
  }
}

}  // namespace benchmark
