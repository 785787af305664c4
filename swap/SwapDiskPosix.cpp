// The POSIX file layer: the native build of the storage, for the sanitizers
// and the benchmarks. Sharing modes have no equivalent here and are ignored;
// names are wide (Unicode characters) and become UTF-8 at this boundary.

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "framework/FileIO.h"
#include "swap/SwapDisk.h"

namespace {

using fileio::FromNative;
using fileio::Native;

int AccessFlags(uint8_t mode) {
  switch (mode & 3) {
    case fmOpenWrite: return O_WRONLY;
    case fmOpenReadWrite: return O_RDWR;
    default: return O_RDONLY;
  }
}

class TPosixDisk final : public TSwapDisk {
public:
  TDiskHandle Open(const std::wstring& Name, uint8_t Mode) override {
    return OpenWith(Name, AccessFlags(Mode));
  }

  TDiskHandle Create(const std::wstring& Name, uint8_t Mode) override {
    int flags = AccessFlags(Mode);
    if (flags == O_RDONLY) flags = O_RDWR;  // a new file is always writable by its maker
    return OpenWith(Name, flags | O_CREAT | O_TRUNC);
  }

  int64_t ReadAt(TDiskHandle H, int64_t Offset, void* Buf, int64_t Bytes) override {
    int64_t done = 0;
    while (done < Bytes) {
      ssize_t n = pread(static_cast<int>(H), static_cast<char*>(Buf) + done,
                        static_cast<size_t>(Bytes - done), static_cast<off_t>(Offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return Fail(int64_t{-1});
      }
      if (n == 0) break;
      done += n;
    }
    return done;
  }

  int64_t WriteAt(TDiskHandle H, int64_t Offset, const void* Buf, int64_t Bytes) override {
    int64_t done = 0;
    while (done < Bytes) {
      ssize_t n = pwrite(static_cast<int>(H), static_cast<const char*>(Buf) + done,
                         static_cast<size_t>(Bytes - done), static_cast<off_t>(Offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return Fail(done > 0 ? done : int64_t{-1});
      }
      if (n == 0) break;
      done += n;
    }
    return done;
  }

  bool Truncate(TDiskHandle H, int64_t Size) override {
    return ftruncate(static_cast<int>(H), static_cast<off_t>(Size)) == 0 || Fail();
  }

  int64_t Size(TDiskHandle H) override {
    struct stat st;
    if (fstat(static_cast<int>(H), &st) != 0) return Fail(-1);
    return st.st_size;
  }

  bool Close(TDiskHandle H) override { return close(static_cast<int>(H)) == 0 || Fail(); }

  bool Delete(const std::wstring& Name) override { return unlink(Native(Name).c_str()) == 0 || Fail(); }

  bool MakeTempName(const std::wstring& Prefix, std::wstring& Name) override {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = (dir && *dir) ? dir : "/tmp";
    if (pattern.back() != '/') pattern += '/';
    pattern += Native(Prefix) + "XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    int fd = mkstemp(buf.data());
    if (fd < 0) return Fail();
    close(fd);
    Name = FromNative(buf.data());
    return true;
  }

  std::wstring FullName(const std::wstring& Name) override {
    if (!Name.empty() && Name[0] == L'/') return Name;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return Name;
    std::wstring full = FromNative(cwd);
    if (full.back() != L'/') full += L'/';
    return full + Name;
  }

  bool FileExists(const std::wstring& Name) override {
    struct stat st;
    return stat(Native(Name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  int64_t FileSize(const std::wstring& Pattern) override {
    const std::string path = Native(Pattern);
    const size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.find_first_of("*?") == std::string::npos) return EntrySize(path);
    const std::string dirName = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    DIR* dir = opendir(dirName.c_str());
    if (!dir) return -1;
    int64_t result = -1;
    while (dirent* e = readdir(dir)) {
      if (fnmatch(base.c_str(), e->d_name, 0) == 0) {
        result = EntrySize(dirName + "/" + e->d_name);
        if (result >= 0) break;
      }
    }
    closedir(dir);
    return result;
  }

  bool SameFile(const std::wstring& A, const std::wstring& B) override {
    struct stat a, b;
    return stat(Native(A).c_str(), &a) == 0 && stat(Native(B).c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  }

  int64_t FreeBytes(const std::wstring& Path) override {
    struct statvfs vfs;
    if (statvfs(Path.empty() ? "." : Native(Path).c_str(), &vfs) != 0) return Fail(-1);
    return static_cast<int64_t>(vfs.f_bavail) * static_cast<int64_t>(vfs.f_frsize);
  }

  int64_t PhysicalMemory() override {
    const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? static_cast<int64_t>(pages) * size : 0;
  }

  // A 64-bit process: what limits it is the address-space limit, if one is set.
  int64_t AvailableAddressSpace() override {
    rlimit lim;
    if (getrlimit(RLIMIT_AS, &lim) != 0 || lim.rlim_cur == RLIM_INFINITY || lim.rlim_cur > INT64_MAX)
      return INT64_MAX;
    return static_cast<int64_t>(lim.rlim_cur);
  }

  uint32_t HandleCount(uint32_t Wanted) override {
    rlimit lim;
    if (getrlimit(RLIMIT_NOFILE, &lim) != 0) return 0;
    if (lim.rlim_cur != RLIM_INFINITY && lim.rlim_cur < Wanted) {
      rlimit raised = lim;
      raised.rlim_cur = (lim.rlim_max == RLIM_INFINITY || lim.rlim_max >= Wanted) ? Wanted : lim.rlim_max;
      if (setrlimit(RLIMIT_NOFILE, &raised) == 0) lim = raised;
    }
    return lim.rlim_cur == RLIM_INFINITY || lim.rlim_cur >= Wanted ? Wanted
                                                                    : static_cast<uint32_t>(lim.rlim_cur);
  }

  int LastError() override { return lastError_; }

private:
  TDiskHandle OpenWith(const std::wstring& name, int flags) {
    int fd = open(Native(name).c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) return Fail(InvalidDiskHandle);
    return fd;
  }

  int64_t EntrySize(const std::string& nativePath) {
    struct stat st;
    if (stat(nativePath.c_str(), &st) != 0) return Fail(-1);
    return S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
  }

  // Records errno; returns Result (partial transfers report what was moved).
  template <class T>
  T Fail(T result) {
    lastError_ = errno;
    return result;
  }
  bool Fail() { return Fail(false); }

  int lastError_ = 0;
};

}  // namespace

TSwapDisk& PlatformSwapDisk() {
  static TPosixDisk disk;
  return disk;
}
