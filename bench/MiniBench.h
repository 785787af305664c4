#pragma once
// A small self-timed stand-in for the part of Google Benchmark's interface
// that the swap-file benchmark uses, for the Windows build (Google Benchmark
// is not packaged for MinGW). Iteration counts are estimated the same way:
// grow until a run lasts the minimum time, then repeat and take the median.
// The runs are timed with the wall clock.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "BenchRatios.h"

namespace benchmark {

enum TimeUnit { kNanosecond };

class State {
public:
  struct __attribute__((unused)) Value {};
  struct Iterator {
    State* state;
    int64_t left;
    bool operator!=(const Iterator&) const {
      if (left > 0) return true;
      state->Stop();
      return false;
    }
    void operator++() { --left; }
    Value operator*() const { return {}; }
  };

  explicit State(int64_t iterations) : iterations_(iterations) {}
  Iterator begin() {
    Start();
    return {this, iterations_};
  }
  Iterator end() { return {this, 0}; }

  void PauseTiming() { elapsed_ += Clock::now() - started_; }
  void ResumeTiming() { started_ = Clock::now(); }
  void SetItemsProcessed(int64_t n) { items_ = n; }
  void SetBytesProcessed(int64_t n) { bytes_ = n; }
  int64_t iterations() const { return iterations_; }
  void SkipWithError(const char* message) { error_ = message; }

  double Seconds() const { return std::chrono::duration<double>(elapsed_).count(); }
  int64_t Items() const { return items_; }
  int64_t Bytes() const { return bytes_; }
  const std::string& Error() const { return error_; }

private:
  using Clock = std::chrono::steady_clock;
  void Start() { started_ = Clock::now(); }
  void Stop() { elapsed_ += Clock::now() - started_; }

  int64_t iterations_;
  int64_t items_ = 0, bytes_ = 0;
  Clock::time_point started_{};
  Clock::duration elapsed_{};
  std::string error_;
};

template <class T>
inline void DoNotOptimize(T& value) {
  asm volatile("" : "+m"(value) : : "memory");
}
template <class T>
inline void DoNotOptimize(const T& value) {
  asm volatile("" : : "m"(value) : "memory");
}
inline void ClobberMemory() { asm volatile("" : : : "memory"); }

namespace internal {
class Benchmark {
public:
  Benchmark* UseRealTime() { return this; }
  Benchmark* Unit(TimeUnit) { return this; }
};
}  // namespace internal

using TBenchFunction = void (*)(State&);
internal::Benchmark* RegisterBenchmark(const char* name, TBenchFunction fn);

// Runs the registered benchmarks (options: --benchmark_filter=substring,
// --benchmark_repetitions=n, --benchmark_min_time=seconds), the repetitions
// interleaved in shuffled rounds; prints each case's median and fills
// Results with them.
void RunMiniBenchmarks(int argc, char** argv, TBenchResults& Results);

}  // namespace benchmark
