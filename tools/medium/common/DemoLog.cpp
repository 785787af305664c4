#include "DemoLog.h"

#include <windows.h>

#include "Paths.h"

namespace demo {

std::wstring LogPath() {
  std::wstring path = EnvironmentVariable(L"KORVEX_DEMO_LOG");
  if (!path.empty()) return path;
  return JoinPath(TempFolder(), L"KorvexDemo.log");
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

namespace {

void AppendField(std::wstring& line, std::wstring_view field) {
  for (wchar_t c : field) line += (c == L'\t' || c == L'\r' || c == L'\n') ? L' ' : c;
}

}  // namespace

void Log(std::wstring_view program, std::wstring_view event, std::wstring_view details) {
  std::wstring line;
  AppendField(line, program);
  line += L'\t';
  AppendField(line, event);
  line += L'\t';
  AppendField(line, details);
  line += L"\r\n";
  const std::string bytes = ToUtf8(line);
  const std::wstring path = LogPath();

  // Programs of the medium often log at the same moment (both players told
  // to quit at once). Writing "at the end of the file" is not atomic across
  // processes everywhere: two writers can find the same end and one line
  // overwrites the other. A named mutex makes each append whole; a writer
  // that cannot get it within a few seconds writes anyway rather than lose
  // its line.
  HANDLE gate = CreateMutexW(nullptr, FALSE, L"KorvexDemoLogAppend");
  const DWORD waited = gate ? WaitForSingleObject(gate, 5000) : WAIT_FAILED;
  const bool owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;

  // Another program may hold the file for a moment without write sharing
  // (an editor, a test reading it): retry for about a second.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 50; ++attempt) {
    file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(20);
  }
  if (file != INVALID_HANDLE_VALUE) {
    // Both offsets 0xFFFFFFFF: write at the end of the file as it is at the
    // moment of the write, whoever else appended meanwhile.
    OVERLAPPED at_end{};
    at_end.Offset = 0xFFFFFFFF;
    at_end.OffsetHigh = 0xFFFFFFFF;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at_end);
    CloseHandle(file);
  }
  if (owned) ReleaseMutex(gate);
  if (gate) CloseHandle(gate);
}

std::vector<LogLine> ReadLog(const std::wstring& path) {
  std::vector<LogLine> lines;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);

  std::wstring text(bytes.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                    static_cast<int>(text.size()));
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) break;  // a line still being written
    const std::wstring line = text.substr(start, end - start);
    start = end + 2;
    const size_t tab1 = line.find(L'\t');
    const size_t tab2 = tab1 == std::wstring::npos ? tab1 : line.find(L'\t', tab1 + 1);
    if (tab2 == std::wstring::npos) {
      lines.push_back({L"<malformed>", line, L""});
      continue;
    }
    lines.push_back({line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
  }
  return lines;
}

}  // namespace demo
