// The file utilities of the swap-file unit.

#include <algorithm>
#include <cctype>
#include <memory>

#include "swap/Swapfile.h"

namespace {

int32_t Saturate32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, INT32_MAX)); }

int64_t FreeKB(const std::string& path) {
  const int64_t bytes = SwapDisk().FreeBytes(path);
  return bytes < 0 ? 0 : bytes / 1024;
}

// "A:\" for drive 1 and so on; empty for drive 0 (the current drive).
std::string DriveRoot(int drive) {
  if (drive == 0) return std::string();
  return std::string(1, static_cast<char>('A' + drive - 1)) + ":\\";
}

}  // namespace

int32_t FileSizeByName(const std::string& Name) { return Saturate32(SwapDisk().FileSize(Name)); }

int32_t DiskFreeKB(int Drive) {
  if (Drive < 0 || Drive > 26) return 0;
  // Measured in 64 bits: more than 2 TiB free must not wrap to a negative
  // count that refuses every save.
  return Saturate32(FreeKB(DriveRoot(Drive)));
}

int64_t FreeKBForFile(const std::string& FullName) {
  if (FullName.size() >= 2 && FullName[1] == ':' && std::isalpha(static_cast<unsigned char>(FullName[0])))
    return FreeKB(DriveRoot(std::toupper(static_cast<unsigned char>(FullName[0])) - 'A' + 1));
  // No drive letter (a network path, or a POSIX path): the target's folder.
  const size_t sep = FullName.find_last_of("/\\");
  return FreeKB(sep == std::string::npos ? std::string() : FullName.substr(0, sep + 1));
}

int FileAccessStatus(const std::string& Name) {
  TSwapDisk& disk = SwapDisk();
  const std::string full = disk.FullName(Name);
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

bool CopyFileChecked(const std::string& Source, const std::string& Target) {
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
