#include "FileSummary.h"

#include <windows.h>

namespace demo {

namespace {

// The first line of the file's first bytes, if they are valid UTF-8 text.
std::wstring FirstTextLine(HANDLE file) {
  char buffer[256];
  DWORD read = 0;
  if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr) || read == 0) return {};
  DWORD end = 0;
  while (end < read && buffer[end] != '\r' && buffer[end] != '\n') ++end;
  if (end == read && read == sizeof buffer) return {};  // no line end: not a short text
  for (DWORD i = 0; i < end; ++i) {
    const unsigned char c = static_cast<unsigned char>(buffer[i]);
    if (c < 0x20 && c != '\t') return {};
  }
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, buffer, static_cast<int>(end), nullptr, 0);
  if (n <= 0) return {};
  std::wstring line(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, buffer, static_cast<int>(end), line.data(), n);
  return line;
}

}  // namespace

std::wstring DescribeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"A fájl nem található.";
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::wstring text = L"Méret: " + std::to_wstring(size.QuadPart) + L" bájt";
  const std::wstring line = FirstTextLine(file);
  CloseHandle(file);
  if (!line.empty()) text += L"\n" + line;
  return text;
}

}  // namespace demo
