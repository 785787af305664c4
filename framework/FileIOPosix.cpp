#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/Cp1250.h"
#include "framework/FileIO.h"

namespace fileio {

std::optional<std::string> ReadAll(const std::string& name) {
  std::FILE* f = std::fopen(cp1250::ToUtf8(name).c_str(), "rb");
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

bool WriteAllAtomic(const std::string& name, const std::string& data) {
  const std::string path = cp1250::ToUtf8(name);
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

bool FileExists(const std::string& name) {
  struct stat st;
  return ::stat(cp1250::ToUtf8(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace fileio
