#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/FileIO.h"

namespace fileio {

namespace {

// The file system's name: UTF-8 of the Unicode characters.
std::string Utf8(const std::wstring& name) {
  std::string out;
  for (wchar_t wc : name) {
    auto u = static_cast<char32_t>(wc);
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (u >> 18));
      out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> ReadAll(const std::wstring& name) {
  std::FILE* f = std::fopen(Utf8(name).c_str(), "rb");
  if (!f) return std::nullopt;
  std::string data;
  char buf[8192];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) return std::nullopt;
  return data;
}

bool WriteAllAtomic(const std::wstring& name, const std::string& data) {
  const std::string path = Utf8(name);
  const std::string tmp = path + ".new";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = std::fflush(f) == 0 && ok;
  ok = fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(tmp.c_str());
  return ok;
}

bool FileExists(const std::wstring& name) {
  struct stat st;
  return ::stat(Utf8(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace fileio
