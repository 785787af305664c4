#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "RawFile.h"

namespace {
HANDLE H(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
}

TRawFile::TRawFile(const std::string& Name, bool Create) {
  HANDLE h = Create ? CreateFileA(Name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)
                    : CreateFileA(Name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "%s: cannot open (%lu)\n", Name.c_str(), GetLastError());
    std::exit(1);
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
}

TRawFile::~TRawFile() { CloseHandle(H(handle_)); }

int64_t TRawFile::Read(void* Buf, int64_t Bytes) {
  DWORD got = 0;
  return ReadFile(H(handle_), Buf, static_cast<DWORD>(Bytes), &got, nullptr) ? got : -1;
}

int64_t TRawFile::Write(const void* Buf, int64_t Bytes) {
  DWORD put = 0;
  return WriteFile(H(handle_), Buf, static_cast<DWORD>(Bytes), &put, nullptr) ? put : -1;
}

int64_t TRawFile::ReadAt(int64_t Offset, void* Buf, int64_t Bytes) {
  SeekTo(Offset);
  return Read(Buf, Bytes);
}

void TRawFile::Rewind() { SeekTo(0); }

void TRawFile::SeekTo(int64_t Offset) {
  LARGE_INTEGER pos;
  pos.QuadPart = Offset;
  SetFilePointerEx(H(handle_), pos, nullptr, FILE_BEGIN);
}

void TRawFile::Truncate() {
  Rewind();
  SetEndOfFile(H(handle_));
}

void RemoveRawFile(const std::string& Name) { DeleteFileA(Name.c_str()); }

std::string BenchDirectory() {
  if (const char* dir = std::getenv("KORVEX_BENCH_DIR"); dir && *dir) return dir;
  char path[MAX_PATH + 1];
  const DWORD n = GetTempPathA(MAX_PATH, path);
  std::string dir = n ? std::string(path, n) : std::string(".");
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  return dir;
}
