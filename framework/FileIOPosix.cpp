#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/FileIO.h"

namespace fileio {

// The file system's name: UTF-8 of the Unicode characters.
std::string Native(const std::wstring& name) {
  std::string out;
  for (wchar_t wc : name) {
    const auto u = static_cast<char32_t>(wc);
    if (u >= 0xDC80 && u <= 0xDCFF) {
      out += static_cast<char>(u - 0xDC00);  // a byte FromNative kept as it was
    } else if (u < 0x80) {
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

// A name the file system gave (UTF-8) as Unicode characters. A byte that is
// no part of a well-formed sequence becomes U+DC00 + the byte (a lone low
// surrogate, which no well-formed name holds), and Native turns it back into
// that byte: every name the system gives reaches the system again unchanged.
std::wstring FromNative(const std::string& name) {
  std::wstring out;
  for (size_t i = 0; i < name.size();) {
    const auto b = static_cast<unsigned char>(name[i]);
    const size_t extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xC2 && b <= 0xDF ? 1 : 0;
    bool ok = extra > 0 && i + extra < name.size();
    char32_t u = b & (0x3F >> extra);
    for (size_t k = 1; ok && k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(name[i + k]);
      ok = (c & 0xC0) == 0x80;
      u = (u << 6) | (c & 0x3F);
    }
    if (u >= 0xD800 && u <= 0xDFFF) ok = false;
    out.push_back(static_cast<wchar_t>(ok ? u : b < 0x80 ? b : 0xDC00 + b));
    i += ok ? extra + 1 : 1;
  }
  return out;
}

std::optional<std::string> ReadAll(const std::wstring& name) {
  std::FILE* f = std::fopen(Native(name).c_str(), "rb");
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
  const std::string path = Native(name);
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
  return ::stat(Native(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace fileio
