// Both programs (Start.exe and Gallery.exe) start and stop their units in the
// order of launcher/LibraryUnits.h, as the units' own traces show: the test
// runs each program as its debugger and reads what the units write to the
// debug output. A copy of each program with one bitmap of the hatch table
// missing from its resources fails in the third unit: the two before it stop,
// backwards, the program shows the failure in a message box and ends with
// exit code 1.
#include <windows.h>

#include <gtest/gtest.h>

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
    // Never waits long: the program may be held at a debug event this
    // (its debugger's) thread has yet to answer.
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

// Runs the program as its debugger until it ends: closes its main form once
// the program has started, and answers a message box, keeping its text.
TRun RunTraced(const TProgram& program, const std::wstring& path, const std::wstring& arguments = L"") {
  TRun run;
  std::wstring line = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                      folder.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << program.Name;
    return run;
  }
  const std::regex unitLine("^[A-Za-z]+: (started|stopped|start failed: .*)$");
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ScaledMs(60000));
  bool closed = false;
  while (GetTickCount64() < end) {
    DEBUG_EVENT event{};
    if (WaitForDebugEvent(&event, 20)) {
      DWORD status = DBG_CONTINUE;
      switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
          if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
          break;
        case LOAD_DLL_DEBUG_EVENT:
          if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
          break;
        case OUTPUT_DEBUG_STRING_EVENT: {
          const OUTPUT_DEBUG_STRING_INFO& o = event.u.DebugString;
          std::string text(o.nDebugStringLength, '\0');
          SIZE_T read = 0;
          if (!o.fUnicode && ReadProcessMemory(info.hProcess, o.lpDebugStringData, text.data(), text.size(), &read)) {
            text.resize(strnlen(text.c_str(), read));
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
            if (std::regex_match(text, unitLine)) run.Trace.push_back(text);
          }
          break;
        }
        case EXCEPTION_DEBUG_EVENT:
          if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
            status = DBG_EXCEPTION_NOT_HANDLED;
          break;
        case EXIT_PROCESS_DEBUG_EVENT:
          run.ExitCode = event.u.ExitProcess.dwExitCode;
          run.Finished = true;
          break;
        default:
          break;
      }
      ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
      if (run.Finished) break;
      continue;
    }
    if (!closed && !run.Trace.empty() && run.Trace.back() == "Program: started") {
      if (HWND form = VisibleWindowOf(info.dwProcessId, program.MainFormClass)) {
        PostMessageW(form, WM_CLOSE, 0, 0);
        closed = true;
      }
    }
    if (HWND box = VisibleWindowOf(info.dwProcessId, L"#32770")) {
      const std::wstring text = TextOfStatic(box);
      if (!text.empty()) {
        run.MessageBoxText = text;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
    }
  }
  if (!run.Finished) {
    ADD_FAILURE() << program.Name << " did not end";
    TerminateProcess(info.hProcess, 99);
    DebugActiveProcessStop(info.dwProcessId);
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
