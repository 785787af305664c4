#include "MediumTest.h"

#include "TestPaths.h"
#include "common/DemoLog.h"
#include "common/Paths.h"

namespace medium_test {

std::wstring MediumFile(std::wstring_view relative) {
  static const std::wstring medium = BesideTestProgram(L"" KORVEX_TEST_MEDIUM_RELATIVE, L"KORVEX_TEST_MEDIUM");
  return demo::JoinPath(medium, relative);
}

TempFolder::TempFolder() {
  static int counter = 0;
  path_ = demo::JoinPath(demo::TempFolder(), L"korvex-medium-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                 std::to_wstring(++counter));
  demo::RemoveTree(path_);
  demo::CreateFolders(path_);
}

TempFolder::~TempFolder() { demo::RemoveTree(path_); }

std::wstring TempFolder::operator/(std::wstring_view relative) const { return demo::JoinPath(path_, relative); }

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const std::wstring& value)
    : name_(name), previous_(demo::EnvironmentVariable(name)), hadPrevious_(!previous_.empty()) {
  SetEnvironmentVariableW(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableW(name_.c_str(), hadPrevious_ ? previous_.c_str() : nullptr);
}

Process::Process(const std::wstring& commandLine) {
  std::wstring writable = commandLine;  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
    info_ = {};
  }
}

Process::~Process() {
  if (!Started()) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, ScaledMs(5000UL));
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Process::Running() const { return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::WaitForEnd(DWORD milliseconds) {
  return Started() && WaitForSingleObject(info_.hProcess, ScaledMs(milliseconds)) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = 0xFFFFFFFF;
  if (Started()) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::vector<std::wstring> EventsOf(const std::vector<LogLine>& log, std::wstring_view program) {
  std::vector<std::wstring> events;
  for (const LogLine& line : log) {
    if (line.program == program) events.push_back(line.event);
  }
  return events;
}

std::wstring DetailsOf(const std::vector<LogLine>& log, std::wstring_view program, std::wstring_view event) {
  for (const LogLine& line : log) {
    if (line.program == program && line.event == event) return line.details;
  }
  return L"<none>";
}

void WriteSettings(const std::wstring& path, const wchar_t* section,
                   const std::vector<std::pair<std::wstring, std::wstring>>& values) {
  DeleteFileW(path.c_str());
  for (const auto& [key, value] : values) {
    WritePrivateProfileStringW(section, key.c_str(), value.c_str(), path.c_str());
  }
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());  // flush
}

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[256];
  if (owner == search->processId && IsWindowVisible(window) && GetClassNameW(window, name, 256) &&
      wcscmp(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindWindowOf(DWORD processId, const wchar_t* className) {
  WindowSearch search{processId, className, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowTitle(HWND window) {
  std::wstring title(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  title.resize(static_cast<size_t>(GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
  return title;
}

bool FileExists(const std::wstring& path) { return demo::FileExists(path); }

}  // namespace medium_test
