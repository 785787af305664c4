#pragma once
// The raw baseline of the paged benchmarks: plain sequential and positioned
// reads and writes of the operating system (read()/write() natively,
// ReadFile/WriteFile on Windows), no cache of our own.

#include <cstdint>
#include <string>

class TRawFile {
public:
  // Creates Name for writing (and reading), or opens it for reading only;
  // aborts the benchmark with a message when that fails.
  TRawFile(const std::string& Name, bool Create);
  ~TRawFile();
  TRawFile(const TRawFile&) = delete;
  TRawFile& operator=(const TRawFile&) = delete;

  // Sequential transfers from the current position; bytes moved.
  int64_t Read(void* Buf, int64_t Bytes);
  int64_t Write(const void* Buf, int64_t Bytes);
  // Transfer at Offset.
  int64_t ReadAt(int64_t Offset, void* Buf, int64_t Bytes);
  void Rewind();
  void SeekTo(int64_t Offset);
  void Truncate();  // to length 0, position 0

private:
  std::intptr_t handle_;
};

void RemoveRawFile(const std::string& Name);
// A folder for the benchmark's files: KORVEX_BENCH_DIR or the temporary one.
std::string BenchDirectory();
