#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "RawFile.h"

TRawFile::TRawFile(const std::string& Name, bool Create) {
  const int fd = open(Name.c_str(), O_CLOEXEC | (Create ? O_RDWR | O_CREAT | O_TRUNC : O_RDONLY), 0644);
  if (fd < 0) {
    std::perror(Name.c_str());
    std::exit(1);
  }
  handle_ = fd;
}

TRawFile::~TRawFile() { close(static_cast<int>(handle_)); }

int64_t TRawFile::Read(void* Buf, int64_t Bytes) { return read(static_cast<int>(handle_), Buf, static_cast<size_t>(Bytes)); }

int64_t TRawFile::Write(const void* Buf, int64_t Bytes) {
  return write(static_cast<int>(handle_), Buf, static_cast<size_t>(Bytes));
}

int64_t TRawFile::ReadAt(int64_t Offset, void* Buf, int64_t Bytes) {
  return pread(static_cast<int>(handle_), Buf, static_cast<size_t>(Bytes), static_cast<off_t>(Offset));
}

void TRawFile::Rewind() { SeekTo(0); }

void TRawFile::SeekTo(int64_t Offset) { lseek(static_cast<int>(handle_), static_cast<off_t>(Offset), SEEK_SET); }

void TRawFile::Truncate() {
  if (ftruncate(static_cast<int>(handle_), 0) != 0) std::perror("ftruncate");
  Rewind();
}

void RemoveRawFile(const std::string& Name) { unlink(Name.c_str()); }

std::string BenchDirectory() {
  const char* dir = std::getenv("KORVEX_BENCH_DIR");
  if (!dir || !*dir) dir = std::getenv("TMPDIR");
  return (dir && *dir) ? dir : "/tmp";
}
