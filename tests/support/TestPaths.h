#pragma once
// Where a Windows test program finds what the build laid out for it (the demo
// medium, helper programs): relative to the program's own folder, so that a
// build tree still works when it is moved or seen at another path (the
// emulated 32-bit run reads it through a shared folder), or where an
// environment variable says.

#include <windows.h>

#include <string>

// The folder of this program, without a trailing backslash.
inline std::wstring TestProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// `relative` ('/' or '\' separated) under this program's folder, as a full
// path; the environment variable `overrideName`, when set, names the place
// instead.
inline std::wstring BesideTestProgram(const wchar_t* relative, const wchar_t* overrideName = nullptr) {
  if (overrideName) {
    wchar_t value[32768];
    const DWORD n = GetEnvironmentVariableW(overrideName, value, 32768);
    if (n > 0 && n < 32768) return value;
  }
  std::wstring joined = TestProgramFolder() + L"\\" + relative;
  for (wchar_t& c : joined) {
    if (c == L'/') c = L'\\';
  }
  std::wstring full(32768, L'\0');
  const DWORD n = GetFullPathNameW(joined.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n == 0 || n >= full.size()) return joined;
  full.resize(n);
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  return full;
}
