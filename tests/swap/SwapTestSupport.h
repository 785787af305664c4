#pragma once
// Test support for the swap-file unit: a file layer that forwards to the
// platform's and can count calls and inject faults, a failing allocator, and
// a fixture that starts the unit over them in a private scratch folder.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "swap/SwapDisk.h"
#include "swap/SwapMemory.h"
#include "swap/Swapfile.h"

namespace swaptest {

class TFaultDisk : public TSwapDisk {
public:
  // Faults: each count fails that many of the next calls.
  int FailCreates = 0, FailOpens = 0, FailTempNames = 0, FailReads = 0, FailWrites = 0, FailCloses = 0;
  int FailTruncates = 0;
  // When >= 0, every write moves at most this many bytes (a full disk).
  int64_t WriteLimit = -1;
  // Reads, writes and truncates are counted in IoCalls; the one that makes it
  // FailIoCall fails (a write moves nothing, or half when FailIoShort).
  int IoCalls = 0, FailIoCall = 0;
  bool FailIoShort = false;
  // Names (full) that cannot be opened with write access / at all.
  std::set<std::wstring> WriteDenied, OpenDenied;
  // Overrides; -1 asks the platform.
  int64_t PhysicalMemoryBytes = -1, AddressSpaceBytes = -1, FreeBytesValue = -1, FileSizeValue = -1;
  int64_t HandlesGranted = -1;

  // Counters.
  int Opens = 0, Creates = 0, Closes = 0, Writes = 0, Reads = 0, MaxOpen = 0;
  int64_t BytesWritten = 0;
  std::set<TDiskHandle> OpenHandles;
  std::vector<std::wstring> TempNames;

  TDiskHandle Open(const std::wstring& Name, uint8_t Mode) override {
    ++Opens;
    if (Take(FailOpens) || OpenDenied.count(Name) || ((Mode & 3) != fmOpenRead && WriteDenied.count(Name)))
      return Refuse(InvalidDiskHandle);
    return Track(real().Open(Name, Mode));
  }
  TDiskHandle Create(const std::wstring& Name, uint8_t Mode) override {
    ++Creates;
    if (Take(FailCreates) || OpenDenied.count(Name) || WriteDenied.count(Name)) return Refuse(InvalidDiskHandle);
    return Track(real().Create(Name, Mode));
  }
  int64_t ReadAt(TDiskHandle H, int64_t Offset, void* Buf, int64_t Bytes) override {
    ++Reads;
    if (TakeIoCall() | Take(FailReads)) {  // fails halfway, leaving part of the buffer overwritten
      real().ReadAt(H, Offset, Buf, Bytes / 2);
      return Refuse(int64_t{-1});
    }
    return real().ReadAt(H, Offset, Buf, Bytes);
  }
  int64_t WriteAt(TDiskHandle H, int64_t Offset, const void* Buf, int64_t Bytes) override {
    ++Writes;
    const bool failCall = TakeIoCall();
    if (Take(FailWrites) || (failCall && !FailIoShort)) return Refuse(int64_t{-1});
    if (failCall) Bytes /= 2;
    if (WriteLimit >= 0 && Bytes > WriteLimit) Bytes = WriteLimit;
    const int64_t n = real().WriteAt(H, Offset, Buf, Bytes);
    if (n > 0) BytesWritten += n;
    return n;
  }
  bool Truncate(TDiskHandle H, int64_t Size) override {
    return (TakeIoCall() | Take(FailTruncates)) ? Refuse(false) : real().Truncate(H, Size);
  }
  int64_t Size(TDiskHandle H) override { return real().Size(H); }
  bool Close(TDiskHandle H) override {
    ++Closes;
    OpenHandles.erase(H);
    const bool ok = real().Close(H);
    return Take(FailCloses) ? Refuse(false) : ok;
  }
  bool Delete(const std::wstring& Name) override { return real().Delete(Name); }
  bool MakeTempName(const std::wstring& Prefix, std::wstring& Name) override {
    if (Take(FailTempNames)) return Refuse(false);
    if (!real().MakeTempName(Prefix, Name)) return false;
    TempNames.push_back(Name);
    return true;
  }
  std::wstring FullName(const std::wstring& Name) override { return real().FullName(Name); }
  bool FileExists(const std::wstring& Name) override { return real().FileExists(Name); }
  int64_t FileSize(const std::wstring& Pattern) override {
    return FileSizeValue >= 0 ? FileSizeValue : real().FileSize(Pattern);
  }
  bool SameFile(const std::wstring& A, const std::wstring& B) override { return real().SameFile(A, B); }
  int64_t FreeBytes(const std::wstring& Path) override {
    return FreeBytesValue >= 0 ? FreeBytesValue : real().FreeBytes(Path);
  }
  int64_t PhysicalMemory() override {
    return PhysicalMemoryBytes >= 0 ? PhysicalMemoryBytes : real().PhysicalMemory();
  }
  int64_t AvailableAddressSpace() override {
    return AddressSpaceBytes >= 0 ? AddressSpaceBytes : real().AvailableAddressSpace();
  }
  uint32_t HandleCount(uint32_t Wanted) override {
    return HandlesGranted >= 0 ? static_cast<uint32_t>(HandlesGranted) : real().HandleCount(Wanted);
  }
  int LastError() override { return error_ ? error_ : real().LastError(); }

  int OpenNow() const { return static_cast<int>(OpenHandles.size()); }

private:
  static TSwapDisk& real() { return PlatformSwapDisk(); }
  static bool Take(int& n) { return n > 0 && n-- > 0; }
  bool TakeIoCall() { return ++IoCalls == FailIoCall; }
  template <class T>
  T Refuse(T result) {
    error_ = 5;  // access denied, on either platform a plausible code
    return result;
  }
  TDiskHandle Track(TDiskHandle h) {
    error_ = 0;
    if (h != InvalidDiskHandle) {
      OpenHandles.insert(h);
      if (OpenNow() > MaxOpen) MaxOpen = OpenNow();
    }
    return h;
  }
  int error_ = 0;
};

// Allocations fail while FailAllocs > 0 (counting down) or when they ask for
// at least FailAllocsFrom bytes.
inline int FailAllocs = 0;
inline std::size_t FailAllocsFrom = SIZE_MAX;
inline int Reallocs = 0;  // every call, counted
inline void* FaultyRealloc(void* old, std::size_t bytes) {
  ++Reallocs;
  if (FailAllocs > 0) {
    --FailAllocs;
    return nullptr;
  }
  if (bytes >= FailAllocsFrom) return nullptr;
  return std::realloc(old, bytes);
}

// Starts the unit over a TFaultDisk and the faulty allocator; every test gets
// a fresh manager and an empty scratch folder.
class SwapTest : public ::testing::Test {
protected:
  TFaultDisk Disk;

  void SetUp() override { Start(); }
  void TearDown() override { Stop(); }

  void Start() {
    previousDisk_ = SetSwapDisk(&Disk);
    previousRealloc_ = SetSwapRealloc(&FaultyRealloc);
    FailAllocs = 0;
    FailAllocsFrom = SIZE_MAX;
    dir_ = std::filesystem::temp_directory_path() /
           ("swaptest-" + std::to_string(std::hash<std::string>{}(CurrentTestName()) & 0xFFFFFF) + "-" +
            std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFF));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    SwapfileUnitStart();
  }
  void Stop() {
    if (SwapMngr) SwapfileUnitStop();
    FailAllocs = 0;
    FailAllocsFrom = SIZE_MAX;
    SetSwapRealloc(previousRealloc_);
    SetSwapDisk(previousDisk_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // A name in the scratch folder, as code page 1250 text and as a wide name.
  std::string Path(const std::string& leaf) const { return (dir_ / leaf).string(); }
  std::wstring WidePath(const std::wstring& leaf) const { return (dir_ / leaf).wstring(); }

  static std::string CurrentTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
  }

private:
  std::filesystem::path dir_;
  TSwapDisk* previousDisk_ = nullptr;
  TSwapRealloc previousRealloc_ = nullptr;
};

// stem followed by n. (GCC 12 reports a false overlap for a one-letter
// literal + std::string at -O3.)
inline std::string Leaf(const char* stem, int n) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s%d", stem, n);
  return buf;
}

// A record of R bytes derived from Seed.
inline std::vector<uint8_t> Rec(int32_t R, uint32_t Seed) {
  std::vector<uint8_t> r(static_cast<size_t>(R));
  uint32_t x = Seed * 2654435761u + 12345u;
  for (auto& b : r) {
    x = x * 1103515245u + 12345u;
    b = static_cast<uint8_t>(x >> 16);
  }
  return r;
}

inline std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& name, const std::vector<uint8_t>& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline int64_t FileLength(const std::filesystem::path& name) {
  std::error_code ec;
  const auto n = std::filesystem::file_size(name, ec);
  return ec ? -1 : static_cast<int64_t>(n);
}

}  // namespace swaptest
