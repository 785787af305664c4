#include "Settings.h"

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cwchar>

#include "Paths.h"

namespace demo {

Settings::Settings(const wchar_t* environmentName, const wchar_t* fileName, const wchar_t* section)
    : path_(EnvironmentVariable(environmentName)), section_(section) {
  if (path_.empty()) path_ = JoinPath(ModuleFolder(), fileName);
}

std::wstring Settings::Raw(const wchar_t* key, bool* present) const {
  // A default no value can have tells a missing key from an empty one.
  static const wchar_t kMissing[] = L"\x1\x2missing";
  std::wstring value(256, L'\0');
  for (;;) {
    const DWORD n = GetPrivateProfileStringW(section_.c_str(), key, kMissing, value.data(),
                                             static_cast<DWORD>(value.size()), path_.c_str());
    if (n + 1 < value.size()) {
      value.resize(n);
      break;
    }
    value.resize(value.size() * 2);
  }
  *present = value != kMissing;
  return *present ? value : std::wstring();
}

std::wstring Settings::Text(const wchar_t* key, const std::wstring& fallback) const {
  bool present = false;
  std::wstring value = Raw(key, &present);
  if (!present || value.empty()) return fallback;
  return ExpandEnvironment(value);
}

int Settings::Number(const wchar_t* key, int fallback) const {
  bool present = false;
  const std::wstring value = Raw(key, &present);
  if (!present || value.empty()) return fallback;
  wchar_t* end = nullptr;
  errno = 0;
  const long number = std::wcstol(value.c_str(), &end, 10);
  while (end && (*end == L' ' || *end == L'\t')) ++end;
  if (errno != 0 || end == value.c_str() || (end && *end) || number < INT_MIN || number > INT_MAX) return fallback;
  return static_cast<int>(number);
}

bool Settings::Flag(const wchar_t* key, bool fallback) const {
  bool present = false;
  const std::wstring value = Raw(key, &present);
  for (const wchar_t* yes : {L"1", L"yes", L"true", L"igen"}) {
    if (EqualNoCase(value, yes)) return true;
  }
  for (const wchar_t* no : {L"0", L"no", L"false", L"nem"}) {
    if (EqualNoCase(value, no)) return false;
  }
  return fallback;
}

}  // namespace demo
