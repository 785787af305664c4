#include "MiniBench.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>

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

  struct TCase {
    const TEntry* entry;
    int64_t iterations;
    std::vector<TSample> samples;
  };
  std::vector<TCase> cases;
  for (const TEntry& e : Registry())
    if (!filter || e.name.find(filter) != std::string::npos) cases.push_back({&e, 1, {}});

  // Iteration counts grow until one run lasts the minimum time; that run is
  // the first sample.
  for (TCase& c : cases) {
    TSample s = RunOnce(c.entry->fn, c.iterations);
    while (s.seconds < minSeconds && c.iterations < 1000000000) {
      const double factor = std::clamp(1.4 * minSeconds / std::max(s.seconds, 1e-9), 1.0, 10.0);
      c.iterations = std::max<int64_t>(c.iterations + 1, static_cast<int64_t>(static_cast<double>(c.iterations) * factor));
      s = RunOnce(c.entry->fn, c.iterations);
    }
    c.samples.push_back(s);
  }
  // The other repetitions in rounds, each round in another order, so that a
  // disturbance of the machine spreads over all cases rather than one.
  std::mt19937 rng(1);
  std::vector<size_t> order(cases.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  for (int round = 1; round < repetitions; ++round) {
    std::shuffle(order.begin(), order.end(), rng);
    for (size_t i : order) cases[i].samples.push_back(RunOnce(cases[i].entry->fn, cases[i].iterations));
  }

  std::printf("%-28s %14s %12s %14s %14s\n", "benchmark (median)", "iterations", "ns/iter", "items/s", "bytes/s");
  for (TCase& c : cases) {
    std::sort(c.samples.begin(), c.samples.end(),
              [](const TSample& a, const TSample& b) { return a.seconds < b.seconds; });
    const TSample& m = c.samples[c.samples.size() / 2];
    TBenchResult r;
    r.NsPerIteration = m.seconds * 1e9 / static_cast<double>(m.iterations);
    r.ItemsPerSecond = static_cast<double>(m.items) / m.seconds;
    r.BytesPerSecond = static_cast<double>(m.bytes) / m.seconds;
    Results[c.entry->name] = r;
    std::printf("%-28s %14lld %12.2f %14.4g %14.4g\n", c.entry->name.c_str(), static_cast<long long>(m.iterations),
                r.NsPerIteration, r.ItemsPerSecond, r.BytesPerSecond);
  }
  std::fflush(stdout);
}

}  // namespace benchmark
