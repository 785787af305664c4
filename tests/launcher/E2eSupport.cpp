#include "E2eSupport.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include "TestPaths.h"
#include "common/Paths.h"
#include "common/Registry.h"

namespace e2e {

namespace {

void CopyTree(const std::wstring& from, const std::wstring& to) {
  demo::CreateFolders(to);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(demo::JoinPath(from, L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(demo::JoinPath(from, name), demo::JoinPath(to, name));
    } else {
      CopyFileW(demo::JoinPath(from, name).c_str(), demo::JoinPath(to, name).c_str(), FALSE);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && demo::EqualNoCase(text.substr(0, prefix.size()), prefix);
}

// Ends every process whose program file lies in the folder (the launcher and
// the stand-ins it started from the test's medium or installed there).
void EndProcessesUnder(const std::wstring& folder) {
  const std::wstring prefix = demo::JoinPath(folder, L"");
  for (int round = 0; round < 3; ++round) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool ended = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
      if (entry.th32ProcessID == GetCurrentProcessId()) continue;
      HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                                   entry.th32ProcessID);
      if (!process) continue;
      wchar_t image[MAX_PATH * 2];
      DWORD size = MAX_PATH * 2;
      if (QueryFullProcessImageNameW(process, 0, image, &size) && StartsWithNoCase(image, prefix)) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, ScaledMs(5000UL));
        ended = true;
      }
      CloseHandle(process);
    }
    CloseHandle(snapshot);
    if (!ended) return;
  }
}

std::wstring Windows(const char* text8, UINT codePage) {
  std::wstring text(strlen(text8) + 1, L'\0');
  int n = MultiByteToWideChar(codePage, 0, text8, -1, text.data(), static_cast<int>(text.size()));
  text.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
  return text;
}

void WriteSettings(const std::wstring& path, const wchar_t* section, Settings defaults, const Settings& values) {
  for (const auto& [key, value] : values) {
    bool replaced = false;
    for (auto& entry : defaults) {
      if (entry.first == key) {
        entry.second = value;
        replaced = true;
      }
    }
    if (!replaced) defaults.emplace_back(key, value);
  }
  // UTF-16 with a byte order mark, so that the system keeps every character
  // of the values.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const wchar_t bom = 0xFEFF;
    DWORD written = 0;
    WriteFile(file, &bom, sizeof bom, &written, nullptr);
    CloseHandle(file);
  }
  for (const auto& [key, value] : defaults) WritePrivateProfileStringW(section, key.c_str(), value.c_str(), path.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

}  // namespace

Medium::Medium() {
  static int counter = 0;
  folder_ = demo::JoinPath(demo::TempFolder(), L"korvex-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                   std::to_wstring(++counter));
  EndProcessesUnder(folder_);
  demo::RemoveTree(folder_);
  CopyTree(BesideTestProgram(L"" KORVEX_E2E_MEDIUM, L"KORVEX_TEST_MEDIUM"), Root());
  CopyFileW(File(L"Setup\\Korvex7\\korvex.exe").c_str(), demo::JoinPath(folder_, L"Korvex.exe").c_str(), FALSE);
  demo::CreateFolders(WorkFolder());
  previousLog_ = demo::EnvironmentVariable(L"KORVEX_DEMO_LOG");
  SetEnvironmentVariableW(L"KORVEX_DEMO_LOG", LogPath().c_str());
  SetupSettings({});
  ReaderSettings({});
}

Medium::~Medium() {
  EndProcessesUnder(folder_);
  SetEnvironmentVariableW(L"KORVEX_DEMO_LOG", previousLog_.empty() ? nullptr : previousLog_.c_str());
  demo::RemoveTree(folder_);
}

const wchar_t* const MediumName = L"Korvex CD ø Ñ";

std::wstring Medium::Root() const { return demo::JoinPath(folder_, MediumName); }
std::wstring Medium::File(std::wstring_view relative) const { return demo::JoinPath(Root(), relative); }
std::wstring Medium::ProductFolder() const {
  return demo::JoinPath(folder_, L"Program Files\\Lavonsys\\Korvex 7 Süß – Ñ");
}
std::wstring Medium::WorkFolder() const { return demo::JoinPath(folder_, L"work"); }
std::wstring Medium::LogPath() const { return demo::JoinPath(folder_, L"demo.log"); }

void Medium::SetupSettings(const Settings& values) const {
  WriteSettings(File(L"Setup\\Setup.ini"), L"Setup",
                {{L"TargetDir", ProductFolder()}, {L"StepDelayMs", L"30"}, {L"PathDelayMs", L"300"},
                 {L"StayOpenMs", L"1500"}},
                values);
}

void Medium::ReaderSettings(const Settings& values) const {
  WriteSettings(File(L"AcrobatReader50\\ar505eng.ini"), L"Reader",
                {{L"TargetDir", demo::JoinPath(folder_, L"PDF Viewer")}, {L"StartDelayMs", L"100"},
                 {L"KeyDelayMs", L"600"}, {L"StayOpenMs", L"3000"}},
                values);
}

std::wstring Medium::InstallProbe() const {
  const std::wstring probe = File(L"StartProbe.exe");
  CopyFileW(BesideTestProgram(L"" KORVEX_E2E_PROBE).c_str(), probe.c_str(), FALSE);
  return probe;
}

std::vector<std::wstring> Details(const std::vector<LogLine>& log, std::wstring_view program,
                                  std::wstring_view event) {
  std::vector<std::wstring> result;
  for (const LogLine& line : log) {
    if (line.program == program && line.event == event) result.push_back(line.details);
  }
  return result;
}

size_t CountOf(const std::vector<LogLine>& log, std::wstring_view program, std::wstring_view event) {
  return Details(log, program, event).size();
}

Launcher::Launcher(const std::wstring& program, const std::wstring& workFolder, const std::wstring& arguments) {
  // Keep the pointer of the virtual display away from the window.
  SetCursorPos(0, 0);
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, workFolder.c_str(), &startup,
                      &info_))
    info_ = {};
}

Launcher::~Launcher() {
  if (!info_.hProcess) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, ScaledMs(5000UL));
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Launcher::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Launcher::WaitForEnd(DWORD milliseconds) const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, ScaledMs(milliseconds)) == WAIT_OBJECT_0;
}

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;  // null: every class
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (!search->className || wcscmp(name, search->className) == 0) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
  WindowSearch search{processId, className, visibleOnly, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND Launcher::Window() const {
  std::vector<HWND> found = WindowsOf(info_.dwProcessId, L"TFrmStartup", false);
  return found.empty() ? nullptr : found.front();
}

bool Launcher::Visible() const {
  HWND window = Window();
  return window && IsWindowVisible(window);
}

bool Launcher::WaitShown(DWORD milliseconds) const {
  if (!WaitUntil([&] { return Visible(); }, milliseconds)) return false;
  Pause(300);  // painted
  return true;
}

bool Launcher::WaitFocused(DWORD milliseconds) const {
  return WaitUntil([&] { return HasKeyFocus(Window()); }, milliseconds);
}

void Launcher::MoveTo(Point p) const { PostMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }

void Launcher::Click(Point p) const {
  HWND window = Window();
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

void Launcher::DoubleClick(Point p) const {
  Click(p);
  HWND window = Window();
  PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

HWND Launcher::FindVisible(const wchar_t* className) const {
  std::vector<HWND> found = WindowsOf(info_.dwProcessId, className, true);
  return found.empty() ? nullptr : found.front();
}

HWND Launcher::WaitVisible(const wchar_t* className, DWORD milliseconds) const {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindVisible(className)) != nullptr; }, milliseconds);
  return window;
}

std::vector<std::wstring> Launcher::VisibleClasses() const {
  std::vector<std::wstring> classes;
  for (HWND window : WindowsOf(info_.dwProcessId, nullptr, true)) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    classes.push_back(name);
  }
  return classes;
}

int Launcher::WindowsOfClass(const wchar_t* className) const {
  return static_cast<int>(WindowsOf(info_.dwProcessId, className, false).size());
}

namespace {

// The host's name of a Windows path (the tests run under Wine); empty if
// there is none.
std::string UnixPath(const std::wstring& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* name = convert(path.c_str());
  if (!name) return {};
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// xdotool is a program of the host: its process cannot be waited for from
// here, so it leaves its exit status and output in a file when it is done.
bool Xdotool(const std::string& commands, std::string* output) {
  static int counter = 0;
  const std::wstring done = demo::JoinPath(demo::TempFolder(), L"korvex-xdotool-" +
                                                                   std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                                   std::to_wstring(++counter));
  DeleteFileW(done.c_str());
  const std::string unixDone = UnixPath(done);
  if (unixDone.empty()) return false;
  std::wstring line = L"/bin/sh -c \"out=$(xdotool " + Windows(commands.c_str(), CP_UTF8) +
                      L" 2>/dev/null); echo $? $out > '" + Windows(unixDone.c_str(), CP_UTF8) + L"'\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  std::string result;
  WaitUntil(
      [&] {
        HANDLE file = CreateFileW(done.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        char text[256] = {};
        DWORD read = 0;
        ReadFile(file, text, sizeof text - 1, &read, nullptr);
        CloseHandle(file);
        result.assign(text, read);
        return result.find('\n') != std::string::npos;
      },
      10000);
  DeleteFileW(done.c_str());
  if (result.size() < 2 || result.compare(0, 1, "0") != 0 || (result[1] != ' ' && result[1] != '\n')) return false;
  if (output) *output = result.substr(2, result.size() - 3);
  return true;
}

}  // namespace

bool Type(const std::string& xdotoolCommands) { return Xdotool(xdotoolCommands, nullptr); }

// Wine keeps the display's window of each top-level window in a property.
bool HasKeyFocus(HWND window) {
  if (!window || GetForegroundWindow() != window) return false;
  std::string focus;
  if (!Xdotool("getwindowfocus", &focus)) return false;
  const auto own = reinterpret_cast<uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
  return own != 0 && focus == std::to_string(own);
}

// The text the window holds, read without a message: the launcher's thread
// may be blocked in one of its pauses.
std::wstring TextOf(HWND window) {
  wchar_t text[2048] = {};
  const int length = InternalGetWindowText(window, text, 2048);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring ChildText(HWND parent, const wchar_t* className) {
  // The first child of the class that holds a text (a dialog's icon is a
  // text-less "Static" too).
  for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child;
       child = FindWindowExW(parent, child, className, nullptr)) {
    std::wstring text = TextOf(child);
    if (!text.empty()) return text;
  }
  return L"<none>";
}

HWND ChildWithId(HWND parent, int id) { return GetDlgItem(parent, id); }

void Press(HWND dialog, int buttonId) {
  HWND button = ChildWithId(dialog, buttonId);
  if (button) PostMessageW(button, BM_CLICK, 0, 0);
}

namespace {

// The window's client area as it is on the screen, 32-bit pixels.
std::vector<COLORREF> ScreenPixels(HWND window, RECT area, int& width) {
  POINT origin{area.left, area.top};
  ClientToScreen(window, &origin);
  width = area.right - area.left;
  const int height = area.bottom - area.top;
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* data = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      const uint32_t bgra = data[i];
      pixels.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

bool HasRedText(HWND window, RECT clientArea) {
  int width = 0;
  int red = 0;
  for (COLORREF c : ScreenPixels(window, clientArea, width)) {
    if (GetRValue(c) >= 200 && GetGValue(c) <= 80 && GetBValue(c) <= 80) ++red;
  }
  return red >= 5;
}

bool HasDarkText(HWND window, RECT clientArea) {
  int width = 0;
  int dark = 0;
  for (COLORREF c : ScreenPixels(window, clientArea, width)) {
    if (GetRValue(c) <= 60 && GetGValue(c) <= 60 && GetBValue(c) <= 60) ++dark;
  }
  return dark >= 5;
}

std::string RedEntries(HWND window) {
  std::string red;
  const std::pair<const char*, RECT> areas[] = {
      {"notice", NoticeArea}, {"install", InstallArea}, {"manual", ManualArea}, {"exit", ExitArea}};
  for (const auto& [name, area] : areas) {
    if (HasRedText(window, area)) red += (red.empty() ? "" : " ") + std::string(name);
  }
  // The rest of the menu's side of the window (the picture has red of its own).
  constexpr RECT side{326, 0, 604, 337};
  int width = 0, index = 0, elsewhere = 0;
  for (COLORREF c : ScreenPixels(window, side, width)) {
    const POINT p{side.left + index % width, side.top + index / width};
    ++index;
    if (GetRValue(c) < 200 || GetGValue(c) > 80 || GetBValue(c) > 80) continue;
    bool inEntry = false;
    for (const auto& entry : areas) inEntry = inEntry || PtInRect(&entry.second, p);
    if (!inEntry) ++elsewhere;
  }
  if (elsewhere >= 5) red += (red.empty() ? "" : " ") + std::string("elsewhere");
  return red;
}

std::wstring DesktopFolder() {
  auto value = demo::ReadText(HKEY_CURRENT_USER,
                              L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Desktop");
  if (value && !value->empty()) return *value;
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

void ResetSystem() {
  demo::DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\Lavonsys\\Korvex7");
  demo::DeleteKeyTree(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvex 7");
  demo::DeleteKeyTree(HKEY_CLASSES_ROOT, L".kvs");
  demo::DeleteKeyTree(HKEY_CLASSES_ROOT, L".kve");
  demo::DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\Classes\\.kvs");
  demo::DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\Classes\\.kve");
  demo::DeleteKeyTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Adobe\\Acrobat Reader");
  demo::DeleteKeyTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Adobe\\Acrobat");
  demo::DeleteKeyTree(HKEY_CLASSES_ROOT, L"Lavonsys.DemoPdfViewer");
  demo::DeleteValue(HKEY_CLASSES_ROOT, L".pdf", L"");
  demo::RemoveTree(demo::JoinPath(DesktopFolder(), L"Korvex7"));
}

Shortcut ReadShortcut(const std::wstring& path) {
  Shortcut result;
  if (!demo::FileExists(path)) return result;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
    result.exists = true;
    wchar_t text[1024] = {};
    // The target as the shell resolves it: from the item list, which names
    // every folder in full (the plain path of a link may be stored in the
    // system's code page).
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items && SHGetPathFromIDListW(items, text)) result.target = text;
    else if (SUCCEEDED(link->GetPath(text, 1024, nullptr, SLGP_RAWPATH))) result.target = text;
    CoTaskMemFree(items);
    text[0] = 0;
    if (SUCCEEDED(link->GetArguments(text, 1024))) result.arguments = text;
    text[0] = 0;
    if (SUCCEEDED(link->GetWorkingDirectory(text, 1024))) result.workingFolder = text;
  }
  if (file) file->Release();
  if (link) link->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

std::wstring ReadRegistryText(HKEY root, const std::wstring& key, const wchar_t* name) {
  auto value = demo::ReadText(root, key, name);
  return value ? *value : L"<missing>";
}

bool RegistryValueExists(HKEY root, const std::wstring& key, const wchar_t* name) {
  return demo::ReadText(root, key, name).has_value();
}

void WriteRegistryText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value,
                       DWORD type) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(handle, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

RegistryValueBackup::RegistryValueBackup(HKEY root, std::wstring key, std::wstring name)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
  DWORD size = 0;
  if (RegQueryValueExW(handle, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
    data_.resize(size);
    existed_ = RegQueryValueExW(handle, name_.c_str(), nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    data_.resize(size);
  }
  RegCloseKey(handle);
}

RegistryValueBackup::~RegistryValueBackup() {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return;
  if (existed_) {
    RegSetValueExW(handle, name_.c_str(), 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
  } else {
    RegDeleteValueW(handle, name_.c_str());
  }
  RegCloseKey(handle);
}

std::wstring PlantedDll() { return BesideTestProgram(L"" KORVEX_E2E_PLANTED); }
std::wstring PlantedControl() { return BesideTestProgram(L"" KORVEX_E2E_PLANTED_CONTROL); }

bool StartProgram(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  WaitForInputIdle(info.hProcess, ScaledMs(10000UL));
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

void RegisterViewer(const Medium& medium) {
  WriteRegistryText(HKEY_CLASSES_ROOT, L"Lavonsys.DemoPdfViewer\\shell\\open\\command", L"",
                    L"\"" + medium.File(L"AcrobatReader50\\Viewer\\pdfview.exe") + L"\" \"%1\"");
  WriteRegistryText(HKEY_CLASSES_ROOT, L".pdf", L"", L"Lavonsys.DemoPdfViewer");
}

const wchar_t* const SetupInfoText = L"Beállítások véglegesítése...";
const wchar_t* const RestartQuestion =
    L"Az Korvex telepítése befejezôdött.\n\rAjánlott a rendszer újraindítása!\r\nKívánja most újraindítani?";
const wchar_t* const AcrobatQuestion = L"Acrobat Reader még nincs telepitve. Kéri a telepitését?";

}  // namespace e2e
