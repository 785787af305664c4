// The Win32 file layer. Names travel as UTF-16 (converted from code page 1250
// here), so they do not depend on the machine's ANSI code page.

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "framework/Cp1250.h"
#include "swap/SwapDisk.h"

namespace {

std::wstring Wide(const std::string& name) {
  const std::u16string w = cp1250::ToUtf16(name);
  return std::wstring(w.begin(), w.end());
}

std::string Narrow(const wchar_t* w) {
  std::u16string u;
  for (; *w; ++w) u.push_back(static_cast<char16_t>(*w));
  return cp1250::FromUtf16(u);
}

// The code page 1250 name of an existing file: its short form when the long
// one has characters that the code page lacks (a temporary folder under a
// user called so); false when neither form can be carried.
bool Cp1250Name(const wchar_t* path, std::string& name) {
  name = Narrow(path);
  if (Wide(name) == path) return true;
  wchar_t shortPath[MAX_PATH];
  const DWORD n = GetShortPathNameW(path, shortPath, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  name = Narrow(shortPath);
  return Wide(name) == shortPath;
}

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
  TDiskHandle Open(const std::string& Name, uint8_t Mode) override {
    return CreateWith(Name, Mode, OPEN_EXISTING);
  }

  TDiskHandle Create(const std::string& Name, uint8_t Mode) override {
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

  bool Delete(const std::string& Name) override { return DeleteFileW(Wide(Name).c_str()) || Fail(); }

  bool MakeTempName(const std::string& Prefix, std::string& Name) override {
    wchar_t dir[256];
    const DWORD len = GetTempPathW(255, dir);
    if (len == 0 || len > 255) return Fail();
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(dir, Wide(Prefix).c_str(), 0, name) == 0) return Fail();
    if (Cp1250Name(name, Name)) return true;
    DeleteFileW(name);  // made along with the name, which nobody could use
    SetLastError(ERROR_INVALID_NAME);
    return Fail();
  }

  std::string FullName(const std::string& Name) override {
    const std::wstring w = Wide(Name);
    const DWORD need = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (need == 0) return Name;
    std::wstring full(need, L'\0');
    const DWORD len = GetFullPathNameW(w.c_str(), need, full.data(), nullptr);
    if (len == 0 || len >= need) return Name;
    full.resize(len);
    return Narrow(full.c_str());
  }

  bool FileExists(const std::string& Name) override {
    const DWORD attr = GetFileAttributesW(Wide(Name).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
  }

  int64_t FileSize(const std::string& Pattern) override {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Wide(Pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return Fail(), -1;
    FindClose(find);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  bool SameFile(const std::string& A, const std::string& B) override {
    if (!FileExists(A) || !FileExists(B)) return false;
    std::wstring a = Wide(FullName(A)), b = Wide(FullName(B));
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
  }

  int64_t FreeBytes(const std::string& Path) override {
    ULARGE_INTEGER available, total, totalFree;
    const std::wstring w = Wide(Path);
    if (!GetDiskFreeSpaceExW(Path.empty() ? nullptr : w.c_str(), &available, &total, &totalFree))
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
  TDiskHandle CreateWith(const std::string& name, uint8_t mode, DWORD disposition) {
    HANDLE h = CreateFileW(Wide(name).c_str(), Access(mode), Sharing(mode), nullptr, disposition,
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
