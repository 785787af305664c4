// The installation path, end to end: the launcher hides and runs the set-up,
// waits for the set-up's "Path" value (an earlier one is deleted first),
// shows the wait notice for five seconds while it registers the file types
// and writes the desktop shortcuts, and asks whether to restart. Also what
// happens when the set-up cannot start, records no folder or ends at once,
// when the desktop folder's name is outside the code page or no desktop
// folder can be found, when the restart is refused, and with DLLs planted
// beside the launcher.
#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"
#include "common/DemoLog.h"
#include "common/Paths.h"
#include "common/Registry.h"

namespace e2e {
namespace {

const std::wstring ProductKey = L"Software\\Lavonsys\\Korvex7";
const std::wstring ShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::wstring UserShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr int IdOk = 1, IdYes = 6, IdNo = 7;

class Install : public ::testing::Test {
 protected:
  void SetUp() override { ResetSystem(); }
  void TearDown() override { ResetSystem(); }

  // From the click to the restart question: checks what a person sees on
  // the way (the launcher hidden, the wait notice for five seconds) and
  // returns the question's window (null if it never came).
  HWND ClickAndFinish(const Launcher& launcher, Point entry) {
    launcher.Click(entry);
    EXPECT_TRUE(WaitUntil([&] { return !launcher.Visible(); }, 3000)) << "the launcher hides";
    return WaitForFinish(launcher);
  }

  // launcherHidden: whether the launcher is still hidden from the click (it
  // is back when the set-up ended before the folder was recorded).
  HWND WaitForFinish(const Launcher& launcher, bool launcherHidden = true) {
    HWND info = launcher.WaitVisible(L"TfrmSetupInfo", 20000);
    if (!info) {
      ADD_FAILURE() << "the wait notice never showed";
      return nullptr;
    }
    const ULONGLONG shown = GetTickCount64();
    logAtNotice = ReadLog(medium.LogPath());
    EXPECT_EQ(ChildText(info, L"TPanel"), SetupInfoText);
    EXPECT_EQ(launcher.Visible(), !launcherHidden);
    HWND question = launcher.WaitVisible(L"TMessageForm", 15000);
    if (!question) {
      ADD_FAILURE() << "the restart question never came";
      return nullptr;
    }
    EXPECT_GE(GetTickCount64() - shown, 4500u) << "the wait notice stays five seconds";
    EXPECT_FALSE(IsWindowVisible(info)) << "the wait notice is gone before the question";
    EXPECT_EQ(TextOf(question), L"Information");
    EXPECT_EQ(ChildText(question, L"Static"), RestartQuestion);
    EXPECT_EQ(TextOf(ChildWithId(question, IdYes)), L"&Yes");
    EXPECT_EQ(TextOf(ChildWithId(question, IdNo)), L"&No");
    return question;
  }

  std::wstring ShortcutPath(const std::wstring& desktop, const wchar_t* name) const {
    return desktop + L"\\Korvex7\\" + name + L".lnk";
  }

  void ExpectFileTypes() const {
    const std::wstring product = medium.ProductFolder();
    for (const wchar_t* extension : {L".kvs", L".kve"}) {
      const std::wstring key = extension;
      EXPECT_EQ(ReadRegistryText(HKEY_CLASSES_ROOT, key + L"\\shell\\open\\command", L""),
                product + L"\\korvex.exe %1");
      EXPECT_EQ(ReadRegistryText(HKEY_CLASSES_ROOT, key + L"\\DefaultIcon", L""), product + L"\\korvex.exe,0");
    }
  }

  void ExpectShortcut(const std::wstring& desktop, const wchar_t* name, const std::wstring& target,
                      const std::wstring& arguments) const {
    const Shortcut link = ReadShortcut(ShortcutPath(desktop, name));
    ASSERT_TRUE(link.exists) << "no shortcut " << demo::ToUtf8(name);
    EXPECT_TRUE(demo::EqualNoCase(link.target, target)) << demo::ToUtf8(link.target);
    EXPECT_EQ(link.arguments, arguments);
    EXPECT_TRUE(demo::EqualNoCase(link.workingFolder, medium.ProductFolder())) << demo::ToUtf8(link.workingFolder);
  }

  void ExpectAllShortcuts(const std::wstring& desktop) const {
    const std::wstring product = medium.ProductFolder();
    ExpectShortcut(desktop, L"Licencszerződés", product + L"\\Licenc_Korvex70Hu.Txt", L"");
    ExpectShortcut(desktop, L"Korvex 7", product + L"\\korvex.exe", L"");
    ExpectShortcut(desktop, L"Súgó", product + L"\\Korvex7Hu.htm", L"");
    // The uninstall command's program is quoted and holds blanks.
    ExpectShortcut(desktop, L"Korvex eltávolítása", product + L"\\Uninstall\\Uninst.exe", L"/Korvex7");
  }

  void AnswerNoAndExpectAWorkingMenu(const Launcher& launcher, HWND question) {
    Press(question, IdNo);
    EXPECT_TRUE(WaitUntil([&] { return launcher.Visible(); }, 5000)) << "the launcher comes back";
    Pause(300);
    launcher.Click(ExitEntry);
    EXPECT_TRUE(launcher.WaitForEnd(5000)) << "its menu works: \"Kilépés\" ends it";
  }

  // Installs from the menu entry of the real launcher, expects the four
  // shortcuts in the desktop folder and answers "No" to the restart question.
  void InstallExpectingShortcutsIn(const std::wstring& desktop) {
    Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
    ASSERT_TRUE(launcher.WaitShown());
    HWND question = ClickAndFinish(launcher, InstallEntry);
    ASSERT_NE(question, nullptr);
    ExpectAllShortcuts(desktop);
    AnswerNoAndExpectAWorkingMenu(launcher, question);
  }

  Medium medium;
  std::vector<LogLine> logAtNotice;  // the demo log when the wait notice showed
};

TEST_F(Install, FromTheMenuEntryAfterAnEarlierSetupAndNoBringsTheLauncherBack) {
  const std::wstring earlier = L"C:\\Earlier\\Korvex 7";
  WriteRegistryText(HKEY_CURRENT_USER, ProductKey, L"Path", earlier);
  medium.SetupSettings({{L"PathDelayMs", L"1500"}});
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());

  launcher.Click(InstallEntry);
  ASSERT_TRUE(WaitUntil([&] { return !launcher.Visible(); }, 3000)) << "the launcher hides";
  EXPECT_TRUE(WaitUntil([&] { return ReadRegistryText(HKEY_CURRENT_USER, ProductKey, L"Path") != earlier; }, 3000))
      << "the earlier value is deleted";
  HWND question = WaitForFinish(launcher);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(CountOf(logAtNotice, L"Setup.exe", L"path"), 1u) << "the finishing waited for the new value";

  const auto log = ReadLog(medium.LogPath());
  EXPECT_EQ(Details(log, L"Setup.exe", L"path"), std::vector<std::wstring>{medium.ProductFolder()});
  EXPECT_EQ(CountOf(log, L"korvex.exe", L"start"), 0u) << "the decoy beside the medium's folder ran";
  ExpectFileTypes();
  ExpectAllShortcuts(DesktopFolder());
  AnswerNoAndExpectAWorkingMenu(launcher, question);
}

// Keys alone: Enter on the highlighted entry starts the set-up once; after
// "&No" (by its key) the launcher takes the keys at once, its highlight where
// it was.
TEST_F(Install, ByKeysAloneAndAfterNoTheKeysWorkWithoutAClick) {
  RegisterViewer(medium);
  demo::CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Adobe\\Acrobat Reader");
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  ASSERT_TRUE(launcher.WaitFocused());
  HWND window = launcher.Window();
  ASSERT_TRUE(Type("key Down"));
  ASSERT_TRUE(WaitUntil([&] { return RedEntries(window) == "install"; }, 3000));
  ASSERT_TRUE(Type("key Return"));
  EXPECT_TRUE(WaitUntil([&] { return !launcher.Visible(); }, 3000)) << "the launcher hides";
  HWND question = WaitForFinish(launcher);
  ASSERT_NE(question, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return HasKeyFocus(question); }, 3000)) << "the question takes the keys";

  ASSERT_TRUE(Type("key alt+n"));
  ASSERT_TRUE(WaitUntil([&] { return launcher.Visible(); }, 5000)) << "the launcher comes back";
  ASSERT_TRUE(launcher.WaitFocused()) << "with the keyboard focus";
  EXPECT_TRUE(WaitUntil([&] { return RedEntries(window) == "install"; }, 3000)) << "its highlight where it was";
  ASSERT_TRUE(Type("key Down"));
  EXPECT_TRUE(WaitUntil([&] { return RedEntries(window) == "manual"; }, 3000));
  ASSERT_TRUE(Type("key Return"));
  EXPECT_TRUE(WaitUntil([&] { return CountOf(ReadLog(medium.LogPath()), L"pdfview.exe", L"open") == 1; }, 5000))
      << "Enter opens the manual";
  EXPECT_EQ(CountOf(ReadLog(medium.LogPath()), L"Setup.exe", L"start"), 1u) << "one set-up for one Enter";
}

TEST_F(Install, FromTheNoticeLineAndYesRestartsWindowsUnconditionally) {
  Launcher launcher(medium.InstallProbe(), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  HWND question = ClickAndFinish(launcher, NoticeLine);
  ASSERT_NE(question, nullptr);
  ExpectFileTypes();
  ExpectAllShortcuts(DesktopFolder());

  Press(question, IdYes);
  const std::wstring record = medium.File(L"exit-probe.log");
  ASSERT_TRUE(WaitUntil([&] { return demo::FileExists(record); }, 5000));
  Pause(300);
  HANDLE file = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char buffer[1024] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  // The shutdown privilege enabled around one request: restart (2), forced (4).
  EXPECT_EQ(std::string(buffer, read),
            "lookup\tSeShutdownPrivilege\r\nprivilege\t2\r\nexit\t6\t0\r\nlookup\tSeShutdownPrivilege\r\n"
            "privilege\t0\r\n");
  Pause(500);
  EXPECT_FALSE(launcher.Visible()) << "after a restart request the launcher stays hidden";
}

// A set-up that records the product folder and ends at once leaves the
// launcher no tick while it waits: the finishing still runs with the launcher
// hidden. The test variant never ticks while the set-up runs, so there only
// the look after the set-up's end can find the value; its system then refuses
// the restart, which brings the launcher back.
TEST_F(Install, ASetupThatEndsAtOnceStillFinishesHiddenAndARefusedRestartBringsTheLauncherBack) {
  medium.SetupSettings({{L"StepDelayMs", L"0"}, {L"PathDelayMs", L"0"}, {L"StayOpenMs", L"0"}});
  struct Case {
    const char* name;
    bool probe;
    const wchar_t* arguments;
    int answer;
  };
  const Case cases[] = {
      {"the launcher, no restart", false, L"", IdNo},
      {"no tick while the set-up runs, the restart refused", true, L"/no-ticks /refuse-exit", IdYes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetSystem();
    Launcher launcher(c.probe ? medium.InstallProbe() : medium.File(L"Start.exe"), medium.WorkFolder(), c.arguments);
    ASSERT_TRUE(launcher.WaitShown());
    HWND question = ClickAndFinish(launcher, InstallEntry);
    ASSERT_NE(question, nullptr);
    ExpectFileTypes();
    ExpectAllShortcuts(DesktopFolder());
    if (c.answer == IdNo) {
      AnswerNoAndExpectAWorkingMenu(launcher, question);
      continue;
    }
    Press(question, IdYes);
    EXPECT_TRUE(WaitUntil([&] { return launcher.Visible(); }, 5000)) << "the launcher comes back";
    EXPECT_EQ(CountOf(ReadLog(medium.LogPath()), L"Setup.exe", L"start"), 2u) << "one set-up for each case";
    EXPECT_TRUE(launcher.WaitFocused()) << "with the keyboard focus";
    HWND window = launcher.Window();
    EXPECT_TRUE(WaitUntil([&] { return RedEntries(window) == "install"; }, 3000)) << "its highlight where it was";
    ASSERT_TRUE(Type("key Up"));
    EXPECT_TRUE(WaitUntil([&] { return RedEntries(window) == "exit"; }, 3000));
    ASSERT_TRUE(Type("key Return"));
    EXPECT_TRUE(launcher.WaitForEnd(5000)) << "its menu works from the keys: \"Kilépés\" ends it";
  }
}

// The text of the planted DLLs' record (UTF-16 lines: DLL, loading program).
std::wstring PlantedLoads(const std::wstring& folder) {
  std::wstring text;
  HANDLE file = CreateFileW((folder + L"\\planted.log").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  wchar_t buffer[4096] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - sizeof(wchar_t), &read, nullptr);
  CloseHandle(file);
  return std::wstring(buffer, read / sizeof(wchar_t));
}

// A copied medium with DLLs planted beside the launcher (the test runs with
// them loaded native-first, as Windows treats DLLs outside its known set):
// none of them is loaded from the launcher's start to the end of the
// finishing step (the shell and COM included), while a program started from
// the same folder that loads version.dll the ordinary way does load it (so
// the test can see a load at all).
TEST_F(Install, DllsPlantedBesideTheLauncherAreNeverLoaded) {
  const std::wstring root = medium.Root();
  for (const wchar_t* name : {L"version", L"uxtheme", L"dwmapi", L"winmm", L"userenv", L"msimg32"})
    ASSERT_TRUE(CopyFileW(PlantedDll().c_str(), (root + L"\\" + name + L".dll").c_str(), FALSE));
  {
    Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
    ASSERT_TRUE(launcher.WaitShown());
    HWND question = ClickAndFinish(launcher, InstallEntry);
    ASSERT_NE(question, nullptr);
    ExpectFileTypes();
    ExpectAllShortcuts(DesktopFolder());
    AnswerNoAndExpectAWorkingMenu(launcher, question);
  }
  EXPECT_EQ(PlantedLoads(root), L"");

  const std::wstring control = root + L"\\control.exe";
  ASSERT_TRUE(CopyFileW(PlantedControl().c_str(), control.c_str(), FALSE));
  StartProgram(L"\"" + control + L"\"");
  EXPECT_TRUE(WaitUntil([&] { return PlantedLoads(root).find(L"control.exe") != std::wstring::npos; }, 10000))
      << "the planted DLLs are never loaded by anything: the test cannot see a load";
}

TEST_F(Install, WithoutTheProductFilesOnlyTheUninstallShortcutIsWritten) {
  medium.SetupSettings({{L"OmitFile", L"korvex.exe;Korvex7Hu.htm;Licenc_Korvex70Hu.Txt"}});
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  HWND question = ClickAndFinish(launcher, InstallEntry);
  ASSERT_NE(question, nullptr);

  const std::wstring desktop = DesktopFolder();
  for (const wchar_t* name : {L"Licencszerződés", L"Korvex 7", L"Súgó"})
    EXPECT_FALSE(demo::FileExists(ShortcutPath(desktop, name))) << demo::ToUtf8(name);
  ExpectShortcut(desktop, L"Korvex eltávolítása", medium.ProductFolder() + L"\\Uninstall\\Uninst.exe", L"/Korvex7");
  ExpectFileTypes();
  AnswerNoAndExpectAWorkingMenu(launcher, question);
}

TEST_F(Install, ASetupThatRecordsNoFolderBringsTheLauncherBackAndALaterValueStillFinishes) {
  medium.SetupSettings({{L"WritePath", L"0"}, {L"StayOpenMs", L"200"}});
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());

  launcher.Click(InstallEntry);
  ASSERT_TRUE(WaitUntil([&] { return !launcher.Visible(); }, 3000)) << "the launcher hides";
  ASSERT_TRUE(WaitUntil([&] { return CountOf(ReadLog(medium.LogPath()), L"Setup.exe", L"end") == 1; }, 15000));
  EXPECT_TRUE(WaitUntil([&] { return launcher.Visible(); }, 3000)) << "the launcher comes back";
  EXPECT_TRUE(launcher.WaitFocused()) << "with the keyboard focus";
  EXPECT_EQ(RedEntries(launcher.Window()), "install") << "and its highlight where the pointer left it";
  EXPECT_EQ(launcher.FindVisible(L"TfrmSetupInfo"), nullptr);

  // A program the set-up handed over to records the folder later.
  WriteRegistryText(HKEY_CURRENT_USER, ProductKey, L"Path", medium.ProductFolder());
  HWND question = WaitForFinish(launcher, false);
  ASSERT_NE(question, nullptr);
  ExpectFileTypes();
  ExpectAllShortcuts(DesktopFolder());
  AnswerNoAndExpectAWorkingMenu(launcher, question);
}

TEST_F(Install, AMissingSetupProgramIsNamedInAHungarianMessageAndNoSystemDialog) {
  const std::wstring setup = medium.File(L"Setup\\Setup.exe");
  ASSERT_TRUE(DeleteFileW(setup.c_str()));
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());

  launcher.Click(InstallEntry);
  HWND message = launcher.WaitVisible(L"TMessageForm", 10000);
  ASSERT_NE(message, nullptr);
  Pause(500);  // a system dialog would be there by now
  // The path keeps the letters that code page 1250 lacks (the medium's
  // folder holds some).
  EXPECT_EQ(ChildText(message, L"Static"), L"A telepítőprogram nem indítható el:\r\n" + setup);
  EXPECT_TRUE(launcher.Visible()) << "the launcher is back";
  for (const std::wstring& name : launcher.VisibleClasses())
    EXPECT_TRUE(name == L"TFrmStartup" || name == L"TMessageForm" || name == L"TApplication") << demo::ToUtf8(name);

  Press(message, IdOk);
  EXPECT_TRUE(WaitUntil([&] { return launcher.FindVisible(L"TMessageForm") == nullptr; }, 3000));
  EXPECT_TRUE(launcher.Visible());
}

TEST_F(Install, WithoutTheDesktopValueTheShellNamesTheDesktop) {
  const std::wstring desktop = DesktopFolder();
  RegistryValueBackup keep(HKEY_CURRENT_USER, ShellFolders, L"Desktop");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, ShellFolders.c_str(), L"Desktop");
  InstallExpectingShortcutsIn(desktop);
}

// A desktop folder whose name code page 1250 cannot carry (a user "Søndervang"
// on a machine set to Hungarian) gets the shortcuts under its exact name.
TEST_F(Install, ADesktopFolderOutsideTheCodePageGetsTheShortcuts) {
  const std::wstring user = L"C:\\korvex-e2e-Søndervang Ñ";
  const std::wstring desktop = user + L"\\Desktop";
  ASSERT_TRUE(demo::CreateFolders(desktop));
  {
    RegistryValueBackup keep(HKEY_CURRENT_USER, ShellFolders, L"Desktop");
    WriteRegistryText(HKEY_CURRENT_USER, ShellFolders, L"Desktop", desktop, REG_SZ);
    InstallExpectingShortcutsIn(desktop);
  }
  demo::RemoveTree(user);
}

TEST_F(Install, WithoutAnyDesktopFolderNoShortcutIsWritten) {
  const std::wstring desktop = DesktopFolder();
  const std::wstring missing = L"C:\\korvex-e2e-no-desktop";
  {
    RegistryValueBackup keepValue(HKEY_CURRENT_USER, ShellFolders, L"Desktop");
    RegistryValueBackup keepUserValue(HKEY_CURRENT_USER, UserShellFolders, L"Desktop");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, ShellFolders.c_str(), L"Desktop");
    WriteRegistryText(HKEY_CURRENT_USER, UserShellFolders, L"Desktop", missing, REG_EXPAND_SZ);
    Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
    ASSERT_TRUE(launcher.WaitShown());
    HWND question = ClickAndFinish(launcher, InstallEntry);
    ASSERT_NE(question, nullptr);
    ExpectFileTypes();
    AnswerNoAndExpectAWorkingMenu(launcher, question);
  }
  // The launcher's current folder is on drive C:.
  for (const std::wstring& folder : {desktop + L"\\Korvex7", std::wstring(L"C:\\Korvex7"), missing})
    EXPECT_FALSE(demo::FolderExists(folder)) << demo::ToUtf8(folder);
}

}  // namespace
}  // namespace e2e
