#pragma once
// Support of the end-to-end tests that drive the real launcher program under
// Wine: a private copy of the built medium under a folder whose name has a
// blank and letters that code page 1250 cannot carry (with a decoy program
// where an unquoted path would lead the system), a product folder named so too,
// the demo log of the stand-ins, the registry entries the installation path
// touches, the launcher started from another folder and driven by window
// messages, and every program it started ended at the end of the test.

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TestTime.h"
#include "common/DemoLog.h"

namespace e2e {

using Settings = std::vector<std::pair<std::wstring, std::wstring>>;

// Client positions of the launcher's labels (inside each label's area).
struct Point {
  int x, y;
};
constexpr Point InstallEntry{380, 241};   // "Korvex 7 telepítése"
constexpr Point NoticeLine{110, 28};      // the maker's notice line
constexpr Point ManualEntry{400, 266};    // "Kézikönyv elektronikus formában"
constexpr Point ExitEntry{578, 318};      // "Kilépés"
constexpr Point Picture{120, 200};
constexpr Point FirstTutorial{370, 128};  // shown only by the test variant
constexpr Point SecondTutorial{370, 144};
constexpr Point FirstVideo{360, 263};
// Client areas of the visible entries (the labels' areas, with room for
// "Kilépés", whose width follows its text and which keeps its right edge).
constexpr RECT InstallArea{343, 230, 560, 254};
constexpr RECT ManualArea{342, 257, 594, 292};
constexpr RECT ExitArea{516, 310, 596, 326};
constexpr RECT NoticeArea{94, 22, 227, 36};

// A copy of the built medium, laid out for one test:
//   <temp>\korvex-e2e-<pid>-<n>\            the test's folder
//     Korvex.exe                            a decoy (the product stand-in)
//     Korvex CD ø Ñ\                        the medium (MediumName)
//     Program Files\Lavonsys\Korvex 7 Süß – Ñ\   where the set-up installs
//     PDF Viewer\                           where the reader installer installs
//     work\                                 the launcher's current folder
//     demo.log                              KORVEX_DEMO_LOG of this test
extern const wchar_t* const MediumName;

class Medium {
 public:
  Medium();
  ~Medium();
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;

  const std::wstring& Folder() const { return folder_; }
  std::wstring Root() const;  // the medium, without a trailing backslash
  std::wstring File(std::wstring_view relative) const;
  std::wstring ProductFolder() const;
  std::wstring WorkFolder() const;
  std::wstring LogPath() const;
  void SetupSettings(const Settings& values) const;
  void ReaderSettings(const Settings& values) const;
  // The test variant of the launcher, copied to the medium's root.
  std::wstring InstallProbe() const;

 private:
  std::wstring folder_;
  std::wstring previousLog_;
};

using demo::LogLine;
using demo::ReadLog;
// The details of every line of that program and event, in order.
std::vector<std::wstring> Details(const std::vector<LogLine>& log, std::wstring_view program,
                                  std::wstring_view event);
size_t CountOf(const std::vector<LogLine>& log, std::wstring_view program, std::wstring_view event);

// A launcher program started from `workFolder`, in a job object that ends
// every program it starts when the object goes.
class Launcher {
 public:
  Launcher(const std::wstring& program, const std::wstring& workFolder, const std::wstring& arguments = L"");
  ~Launcher();
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  DWORD ProcessId() const { return info_.dwProcessId; }
  bool Running() const;
  bool WaitForEnd(DWORD milliseconds) const;  // scaled
  // The launcher form's window (shown or not); null if none.
  HWND Window() const;
  bool Visible() const;
  // Waits until the launcher window is shown and painted, on top (scaled, as
  // every wait of these tests).
  bool WaitShown(DWORD milliseconds = 15000) const;
  // Waits until the launcher window takes the keys (see HasKeyFocus).
  bool WaitFocused(DWORD milliseconds = 5000) const;
  void MoveTo(Point p) const;
  void Click(Point p) const;
  // Two clicks within the double-click time: the second press arrives as a
  // double click, as the system reports it.
  void DoubleClick(Point p) const;
  // A top-level window of this process of the class, visible; null if none.
  HWND FindVisible(const wchar_t* className) const;
  HWND WaitVisible(const wchar_t* className, DWORD milliseconds) const;
  // Every visible top-level window of this process, by class name.
  std::vector<std::wstring> VisibleClasses() const;
  // How many top-level windows of the class this process has, shown or not.
  int WindowsOfClass(const wchar_t* className) const;

 private:
  HANDLE job_ = nullptr;
  PROCESS_INFORMATION info_{};
};

// Real key presses on the virtual display, as a person types them, through
// the display's own input (xdotool), e.g. "key Down", "key shift+Tab",
// "keydown space sleep 1.5 keyup space". Returns once they are sent; false
// if they could not be.
bool Type(const std::string& xdotoolCommands);
// Whether the keys typed now go to that top-level window: it is the active
// window and has the display's keyboard focus.
bool HasKeyFocus(HWND window);

// The text of a dialog's first child of that class; its button with that id.
std::wstring ChildText(HWND parent, const wchar_t* className);
HWND ChildWithId(HWND parent, int id);
void Press(HWND dialog, int buttonId);
std::wstring TextOf(HWND window);

// The launcher window's pixels: whether the area holds red text.
bool HasRedText(HWND window, RECT clientArea);
bool HasDarkText(HWND window, RECT clientArea);
// Which of the visible entries and the notice line show red text, in screen
// order: "notice", "install", "manual", "exit", then "elsewhere" for red on
// the menu's side outside them, separated by blanks.
std::string RedEntries(HWND window);

// The registry entries and desktop folder the installation path and the
// reader touch, removed (before each test, and after it).
void ResetSystem();
// The user's desktop folder, as the registry names it (Wine: the Desktop
// folder of the build's HOME).
std::wstring DesktopFolder();

struct Shortcut {
  bool exists = false;
  std::wstring target, arguments, workingFolder;
};
Shortcut ReadShortcut(const std::wstring& path);

std::wstring ReadRegistryText(HKEY root, const std::wstring& key, const wchar_t* name);
void WriteRegistryText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value,
                       DWORD type = REG_SZ);

// A registry value as it was, put back (or removed again) at the end.
class RegistryValueBackup {
 public:
  RegistryValueBackup(HKEY root, std::wstring key, std::wstring name);
  ~RegistryValueBackup();
  RegistryValueBackup(const RegistryValueBackup&) = delete;
  RegistryValueBackup& operator=(const RegistryValueBackup&) = delete;

 private:
  HKEY root_;
  std::wstring key_, name_;
  bool existed_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

// The DLL that records its loading (tests/launcher/PlantedDll.cpp) and the
// program that loads it the ordinary way (PlantedControl.cpp), as built.
std::wstring PlantedDll();
std::wstring PlantedControl();

// Starts a program (the stand-ins' own command line) without keeping it; the
// medium ends it at the end of the test.
bool StartProgram(const std::wstring& commandLine);
// The shell opens .pdf documents with the medium's stand-in viewer.
void RegisterViewer(const Medium& medium);

// Texts of the launcher as a person sees them.
extern const wchar_t* const SetupInfoText;
extern const wchar_t* const RestartQuestion;
extern const wchar_t* const AcrobatQuestion;
bool RegistryValueExists(HKEY root, const std::wstring& key, const wchar_t* name);

// Sleeps for a test's wait of `milliseconds`, scaled.
inline void Pause(DWORD milliseconds) { Sleep(ScaledMs(milliseconds)); }

// Calls `condition` every few milliseconds until it holds or the time (scaled
// by TestTimeScale()) is up.
template <class Condition>
bool WaitUntil(Condition condition, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + ScaledMs(milliseconds);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
}

}  // namespace e2e
