// The file utilities of the swap-file unit.

#include <algorithm>
#include <memory>

#include "swap/Swapfile.h"

namespace {

int32_t Saturate32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, INT32_MAX)); }

int64_t FreeKB(const std::wstring& path) {
  const int64_t bytes = SwapDisk().FreeBytes(path);
  return bytes < 0 ? 0 : bytes / 1024;
}

// "A:\" for drive 1 and so on; empty for drive 0 (the current drive).
std::wstring DriveRoot(int drive) {
  if (drive == 0) return std::wstring();
  return std::wstring(1, static_cast<wchar_t>(L'A' + drive - 1)) + L":\\";
}

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

int32_t FileSizeByName(const std::wstring& Name) { return Saturate32(SwapDisk().FileSize(Name)); }
int32_t FileSizeByName(const std::string& Name) { return FileSizeByName(WideName(Name)); }

int32_t DiskFreeKB(int Drive) {
  if (Drive < 0 || Drive > 26) return 0;
  // Measured in 64 bits: more than 2 TiB free must not wrap to a negative
  // count that refuses every save.
  return Saturate32(FreeKB(DriveRoot(Drive)));
}

int64_t FreeKBForFile(const std::wstring& FullName) {
  if (FullName.size() >= 2 && FullName[1] == L':' && IsAsciiLetter(FullName[0])) {
    const wchar_t letter = FullName[0] >= L'a' ? static_cast<wchar_t>(FullName[0] - L'a' + L'A') : FullName[0];
    return FreeKB(DriveRoot(letter - L'A' + 1));
  }
  // No drive letter (a network path, or a POSIX path): the target's folder.
  const size_t sep = FullName.find_last_of(L"/\\");
  return FreeKB(sep == std::wstring::npos ? std::wstring() : FullName.substr(0, sep + 1));
}

int FileAccessStatus(const std::wstring& Name) {
  TSwapDisk& disk = SwapDisk();
  const std::wstring full = disk.FullName(Name);
  if (!disk.FileExists(full)) return 1;
  TDiskHandle h = disk.Open(full, fmOpenWrite | fmShareCompat);
  if (h != InvalidDiskHandle) {
    disk.Close(h);
    return 1;
  }
  h = disk.Open(full, fmOpenRead | fmShareDenyWrite);
  if (h != InvalidDiskHandle) {
    disk.Close(h);
    return 0;
  }
  return 2;
}

int FileAccessStatus(const std::string& Name) { return FileAccessStatus(WideName(Name)); }

bool CopyFileChecked(const std::wstring& Source, const std::wstring& Target) {
  TSwapDisk& disk = SwapDisk();
  if (!disk.FileExists(Source) || FileAccessStatus(Target) != 1) return false;
  // Truncating the target would destroy the source before it is read.
  if (disk.SameFile(Source, Target)) return false;
  try {
    std::unique_ptr<TSwapFile> source(TSwapFile::OpenReadOnly(Source, 1, 131072, 1, 0.0f));
    // A source that exists but cannot be opened copies nothing: no success.
    if (!source->FileExists()) return false;
    source->SaveRange(Target, 1, source->Count());
    return true;
  } catch (...) {
    return false;
  }
}

bool CopyFileChecked(const std::string& Source, const std::string& Target) {
  return CopyFileChecked(WideName(Source), WideName(Target));
}
