// Both programs (Start.exe and Gallery.exe) start and stop their units in the
// order of launcher/LibraryUnits.h, as the units' own traces show: the test
// reads what the units write to the debug output, as a debug viewer does. A copy of each program with one bitmap of the hatch table
// missing from its resources fails in the third unit: the two before it stop,
// backwards, the program shows the failure in a message box and ends with
// exit code 1.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "TestPaths.h"
#include "TestTime.h"

namespace {

struct TProgram {
  const char* Name;
  std::wstring Path;
  const wchar_t* MainFormClass;
};

const TProgram Programs[] = {
    {"Start", BesideTestProgram(L"" KORVEX_START_EXE), L"TFrmStartup"},
    {"Gallery", BesideTestProgram(L"" KORVEX_GALLERY_EXE), L"TGalleryForm"},
};

struct TSearch {
  DWORD Pid;
  const wchar_t* Class;
  HWND Found;
};

BOOL CALLBACK LookAt(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  if (owner == s->Pid && IsWindowVisible(w) && wcscmp(name, s->Class) == 0) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleWindowOf(DWORD pid, const wchar_t* className) {
  TSearch search{pid, className, nullptr};
  EnumWindows(&LookAt, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::wstring TextOfStatic(HWND dialog) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(c, name, 32);
    // Never waits long: the program may be held writing a line of its debug
    // output that this thread has yet to take.
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    if (wcscmp(name, L"Static") == 0 &&
        SendMessageTimeoutW(c, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 200, &length) &&
        length > 0)
      return text;
  }
  return {};
}

struct TRun {
  std::vector<std::string> Trace;  // the units' lines, in order
  DWORD ExitCode = 0;
  std::wstring MessageBoxText;
  bool Finished = false;
};

// A monitor of the system's debug output, as debug viewers are: while it
// exists, OutputDebugString hands each line (with the writer's process id)
// to it through the shared buffer "DBWIN_BUFFER", one line at a time.
class TDebugOutputMonitor {
public:
  TDebugOutputMonitor()
      : bufferReady_(CreateEventW(nullptr, FALSE, TRUE, L"DBWIN_BUFFER_READY")),
        dataReady_(CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY")),
        mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"DBWIN_BUFFER")),
        view_(mapping_ ? static_cast<const char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 4096)) : nullptr) {}
  ~TDebugOutputMonitor() {
    if (view_) UnmapViewOfFile(view_);
    for (HANDLE h : {mapping_, dataReady_, bufferReady_})
      if (h) CloseHandle(h);
  }
  bool Ready() const { return bufferReady_ && dataReady_ && view_; }
  // The next line of process `pid`, waiting up to `ms`; false when none came.
  bool Next(DWORD pid, std::string& line, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
      const ULONGLONG now = GetTickCount64();
      if (WaitForSingleObject(dataReady_, now < end ? static_cast<DWORD>(end - now) : 0) != WAIT_OBJECT_0) return false;
      DWORD writer = 0;
      std::memcpy(&writer, view_, sizeof writer);
      line.assign(view_ + sizeof writer, strnlen(view_ + sizeof writer, 4096 - sizeof writer));
      SetEvent(bufferReady_);
      if (writer == pid) return true;
    }
  }

private:
  HANDLE bufferReady_, dataReady_, mapping_;
  const char* view_;
};

// Runs the program until it ends, reading its debug output: closes its main
// form once the program has started, and answers a message box, keeping its
// text.
TRun RunTraced(const TProgram& program, const std::wstring& path, const std::wstring& arguments = L"") {
  TRun run;
  TDebugOutputMonitor monitor;
  if (!monitor.Ready()) {
    ADD_FAILURE() << "no monitor of the debug output";
    return run;
  }
  std::wstring line = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << program.Name;
    return run;
  }
  const std::regex unitLine("^[A-Za-z]+: (started|stopped|start failed: .*)$");
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ScaledMs(60000));
  bool closed = false;
  std::string text;
  while (GetTickCount64() < end) {
    while (monitor.Next(info.dwProcessId, text, 20)) {
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
      if (std::regex_match(text, unitLine)) run.Trace.push_back(text);
    }
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) {
      while (monitor.Next(info.dwProcessId, text, 0)) {
      }
      GetExitCodeProcess(info.hProcess, &run.ExitCode);
      run.Finished = true;
      break;
    }
    if (!closed && !run.Trace.empty() && run.Trace.back() == "Program: started") {
      if (HWND form = VisibleWindowOf(info.dwProcessId, program.MainFormClass)) {
        PostMessageW(form, WM_CLOSE, 0, 0);
        closed = true;
      }
    }
    if (HWND box = VisibleWindowOf(info.dwProcessId, L"#32770")) {
      const std::wstring message = TextOfStatic(box);
      if (!message.empty()) {
        run.MessageBoxText = message;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
    }
  }
  if (!run.Finished) {
    ADD_FAILURE() << program.Name << " did not end";
    TerminateProcess(info.hProcess, 99);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return run;
}

// A copy of the program, in a folder of its own, whose bitmap "BDIAG" is
// renamed "BDIAF" in its resource directory (the name's one UTF-16 copy,
// after its length; the new name keeps the directory's sorted order), so the
// program has no "BDIAG".
std::wstring CopyWithoutHatchBitmap(const TProgram& program) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"korvex-units-" + std::wstring(program.Name, program.Name + strlen(program.Name));
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"\\" + program.Path.substr(program.Path.find_last_of(L'\\') + 1);

  std::string bytes;
  HANDLE in = CreateFileW(program.Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(in, INVALID_HANDLE_VALUE);
  bytes.resize(GetFileSize(in, nullptr));
  DWORD n = 0;
  ReadFile(in, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(in);

  const std::string name("\x05\0B\0D\0I\0A\0G\0", 12);
  const size_t at = bytes.find(name);
  EXPECT_NE(at, std::string::npos);
  EXPECT_EQ(bytes.find(name, at + 1), std::string::npos) << "one resource name BDIAG";
  if (at != std::string::npos) bytes[at + 10] = 'F';

  HANDLE out = CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  EXPECT_NE(out, INVALID_HANDLE_VALUE);
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(out);
  return copy;
}

using V = std::vector<std::string>;

// The library's units in their order (the framework first, the program's
// forms last).
const V StartOrder = {"Framework: started",     "Swapfile: started",        "Tasks: started",
                      "HatchPatterns: started", "GdiObjectStores: started", "SajatCom: started",
                      "Program: started"};
const V StopOrder = {"Program: stopped", "GdiObjectStores: stopped", "HatchPatterns: stopped",
                     "Tasks: stopped",   "Swapfile: stopped",        "Framework: stopped"};

class UnitOrder : public ::testing::TestWithParam<TProgram> {};

TEST_P(UnitOrder, UnitsStartInOrderAndStopBackwards) {
  const TRun run = RunTraced(GetParam(), GetParam().Path);
  V expected = StartOrder;
  expected.insert(expected.end(), StopOrder.begin(), StopOrder.end());
  EXPECT_EQ(run.Trace, expected);
  EXPECT_EQ(run.ExitCode, 0u);
  EXPECT_EQ(run.MessageBoxText, L"");
}

TEST_P(UnitOrder, AFailureInTheThirdUnitStopsTheFirstTwoBackwards) {
  const std::wstring copy = CopyWithoutHatchBitmap(GetParam());
  const TRun run = RunTraced(GetParam(), copy);
  EXPECT_EQ(run.Trace, (V{"Framework: started", "Swapfile: started", "Tasks: started",
                          "HatchPatterns: start failed: Resource BDIAG not found", "Tasks: stopped",
                          "Swapfile: stopped", "Framework: stopped"}));
  EXPECT_EQ(run.MessageBoxText, L"Resource BDIAG not found");
  EXPECT_EQ(run.ExitCode, 1u);
  DeleteFileW(copy.c_str());
}

// The program entry fails (the gallery has no such page): the forms made so
// far are freed before any unit stops, then every unit stops, backwards.
TEST(ProgramEntry, AFailureFreesTheFormsThenStopsEveryUnit) {
  const TRun run = RunTraced(Programs[1], Programs[1].Path, L"/page NoSuchPage");
  V expected(StartOrder.begin(), StartOrder.end() - 1);
  expected.insert(expected.end(), StopOrder.begin(), StopOrder.end());
  EXPECT_EQ(run.Trace, expected);
  EXPECT_EQ(run.MessageBoxText, L"No gallery page is called NoSuchPage");
  EXPECT_EQ(run.ExitCode, 1u);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, UnitOrder, ::testing::ValuesIn(Programs),
                         [](const auto& p) { return std::string(p.param.Name); });

}  // namespace
