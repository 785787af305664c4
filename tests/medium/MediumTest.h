#pragma once
// Helpers of the tests that drive the demo medium's stand-in programs: a
// private folder, log file and settings files per test, started programs
// that never outlive the test, and reading the demo log back.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TestTime.h"
#include "common/DemoLog.h"

namespace medium_test {

// A file of the medium this build laid out.
std::wstring MediumFile(std::wstring_view relative);

// A new empty folder under %TEMP%, removed with its contents at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(std::wstring_view relative) const;

 private:
  std::wstring path_;
};

// Sets an environment variable of this process (and so of the programs it
// starts) for the lifetime of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, const std::wstring& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::wstring name_;
  std::wstring previous_;
  bool hadPrevious_;
};

// A started program; ended by force if it still runs at the end of the test.
class Process {
 public:
  explicit Process(const std::wstring& commandLine);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  bool WaitForEnd(DWORD milliseconds);  // scaled
  DWORD ExitCode() const;

 private:
  PROCESS_INFORMATION info_{};
};

using demo::LogLine;
using demo::ReadLog;
// The events one program logged, in order.
std::vector<std::wstring> EventsOf(const std::vector<LogLine>& log, std::wstring_view program);
// The details of the first line of that program and event; "<none>" if none.
std::wstring DetailsOf(const std::vector<LogLine>& log, std::wstring_view program, std::wstring_view event);

// Writes an ini file with one section.
void WriteSettings(const std::wstring& path, const wchar_t* section,
                   const std::vector<std::pair<std::wstring, std::wstring>>& values);

// A visible top-level window of the class that the process owns, or null.
HWND FindWindowOf(DWORD processId, const wchar_t* className);
std::wstring WindowTitle(HWND window);

// Calls `condition` every few milliseconds until it holds or the time (scaled
// by TestTimeScale()) is up.
template <class Condition>
bool WaitUntil(Condition condition, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + ScaledMs(milliseconds);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(5);
  }
}

bool FileExists(const std::wstring& path);

}  // namespace medium_test
