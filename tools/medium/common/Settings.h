#pragma once
// The settings file of a stand-in: an ini file with one section. Every key is
// optional; a missing file gives the defaults. Values in the file may be ANSI
// text or, for characters outside it, the file may be UTF-16 with a byte
// order mark. Text values have %NAME% environment references expanded.

#include <string>

namespace demo {

class Settings {
 public:
  // The file named by the environment variable `environmentName` if it is
  // set, else `fileName` in the program's own folder.
  Settings(const wchar_t* environmentName, const wchar_t* fileName, const wchar_t* section);

  const std::wstring& FilePath() const { return path_; }
  std::wstring Text(const wchar_t* key, const std::wstring& fallback = {}) const;
  // Decimal; a missing or malformed value gives the fallback.
  int Number(const wchar_t* key, int fallback) const;
  // 1/0, yes/no, true/false, igen/nem.
  bool Flag(const wchar_t* key, bool fallback) const;

 private:
  std::wstring Raw(const wchar_t* key, bool* present) const;

  std::wstring path_;
  std::wstring section_;
};

}  // namespace demo
