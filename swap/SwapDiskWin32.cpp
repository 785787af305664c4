// The Win32 file layer. Names are UTF-16 throughout and reach the
// wide-character calls as they are.

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "swap/SwapDisk.h"

namespace {

HANDLE AsHandle(TDiskHandle h) { return reinterpret_cast<HANDLE>(h); }

DWORD Access(uint8_t mode) {
  switch (mode & 3) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

DWORD Sharing(uint8_t mode) {
  switch (mode & 0x70) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;  // compat and deny-none
  }
}


// Transfers are split so that no single call exceeds what a DWORD holds.
constexpr int64_t MaxChunk = 1 << 30;

class TWin32Disk final : public TSwapDisk {
public:
  TDiskHandle Open(const std::wstring& Name, uint8_t Mode) override {
    return CreateWith(Name, Mode, OPEN_EXISTING);
  }

  TDiskHandle Create(const std::wstring& Name, uint8_t Mode) override {
    return CreateWith(Name, Mode, CREATE_ALWAYS);
  }

  // Positioned by moving the file pointer, then a plain transfer: Wine
  // serves a transfer with an OVERLAPPED offset several times slower.
  int64_t ReadAt(TDiskHandle H, int64_t Offset, void* Buf, int64_t Bytes) override {
    if (!Seek(H, Offset)) return -1;
    int64_t done = 0;
    while (done < Bytes) {
      const DWORD ask = static_cast<DWORD>(std::min(Bytes - done, MaxChunk));
      DWORD got = 0;
      if (!ReadFile(AsHandle(H), static_cast<char*>(Buf) + done, ask, &got, nullptr)) return Fail(), -1;
      if (got == 0) break;
      done += got;
    }
    return done;
  }

  int64_t WriteAt(TDiskHandle H, int64_t Offset, const void* Buf, int64_t Bytes) override {
    if (!Seek(H, Offset)) return -1;
    int64_t done = 0;
    while (done < Bytes) {
      const DWORD ask = static_cast<DWORD>(std::min(Bytes - done, MaxChunk));
      DWORD put = 0;
      if (!WriteFile(AsHandle(H), static_cast<const char*>(Buf) + done, ask, &put, nullptr)) {
        Fail();
        return done > 0 ? done : -1;
      }
      if (put == 0) break;
      done += put;
    }
    return done;
  }

  bool Truncate(TDiskHandle H, int64_t Size) override { return (Seek(H, Size) && SetEndOfFile(AsHandle(H))) || Fail(); }

  int64_t Size(TDiskHandle H) override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(AsHandle(H), &size)) return Fail(), -1;
    return size.QuadPart;
  }

  bool Close(TDiskHandle H) override { return CloseHandle(AsHandle(H)) || Fail(); }

  bool Delete(const std::wstring& Name) override { return DeleteFileW(Name.c_str()) || Fail(); }

  bool MakeTempName(const std::wstring& Prefix, std::wstring& Name) override {
    wchar_t dir[256];
    const DWORD len = GetTempPathW(255, dir);
    if (len == 0 || len > 255) return Fail();
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(dir, Prefix.c_str(), 0, name) == 0) return Fail();
    Name = name;
    return true;
  }

  std::wstring FullName(const std::wstring& Name) override {
    const DWORD need = GetFullPathNameW(Name.c_str(), 0, nullptr, nullptr);
    if (need == 0) return Name;
    std::wstring full(need, L'\0');
    const DWORD len = GetFullPathNameW(Name.c_str(), need, full.data(), nullptr);
    if (len == 0 || len >= need) return Name;
    full.resize(len);
    return full;
  }

  bool FileExists(const std::wstring& Name) override {
    const DWORD attr = GetFileAttributesW(Name.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
  }

  int64_t FileSize(const std::wstring& Pattern) override {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return Fail(), -1;
    FindClose(find);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  bool SameFile(const std::wstring& A, const std::wstring& B) override {
    if (!FileExists(A) || !FileExists(B)) return false;
    const std::wstring a = FullName(A), b = FullName(B);
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
  }

  int64_t FreeBytes(const std::wstring& Path) override {
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExW(Path.empty() ? nullptr : Path.c_str(), &available, &total, &totalFree))
      return Fail(), -1;
    return available.QuadPart > static_cast<ULONGLONG>(INT64_MAX) ? INT64_MAX
                                                                   : static_cast<int64_t>(available.QuadPart);
  }

  // The extended status: the plain one cannot count beyond 4 GiB.
  int64_t PhysicalMemory() override {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return 0;
    return static_cast<int64_t>(std::min<DWORDLONG>(status.ullTotalPhys, INT64_MAX));
  }

  int64_t AvailableAddressSpace() override {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return INT64_MAX;
    return static_cast<int64_t>(std::min<DWORDLONG>(status.ullAvailVirtual, INT64_MAX));
  }

  uint32_t HandleCount(uint32_t Wanted) override { return SetHandleCount(Wanted); }

  int LastError() override { return lastError_; }

private:
  TDiskHandle CreateWith(const std::wstring& name, uint8_t mode, DWORD disposition) {
    HANDLE h = CreateFileW(name.c_str(), Access(mode), Sharing(mode), nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Fail(), InvalidDiskHandle;
    return reinterpret_cast<TDiskHandle>(h);
  }

  bool Seek(TDiskHandle h, int64_t offset) {
    LARGE_INTEGER pos;
    pos.QuadPart = offset;
    return SetFilePointerEx(AsHandle(h), pos, nullptr, FILE_BEGIN) || Fail();
  }

  bool Fail() {
    lastError_ = static_cast<int>(GetLastError());
    return false;
  }

  int lastError_ = 0;
};

}  // namespace

TSwapDisk& PlatformSwapDisk() {
  static TWin32Disk disk;
  return disk;
}
