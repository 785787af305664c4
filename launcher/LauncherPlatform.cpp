#include "launcher/LauncherPlatform.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "framework/WinText.h"

namespace {

// The shell-link object and its two interfaces, defined here rather than
// taken from the system's GUID library, which would bring hundreds of others.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The shell and component libraries are loaded when first needed, not with
// the program: loading them takes longer than everything else the launcher
// does before its window appears. Loading them also starts COM on this
// thread, which the shell's execution calls need.
struct TShellLibraries {
  decltype(&ShellExecuteExW) executeEx = nullptr;
  decltype(&ShellExecuteW) execute = nullptr;
  decltype(&SHGetFolderPathW) folderPath = nullptr;
  decltype(&CoCreateInstance) createInstance = nullptr;
  decltype(&CoUninitialize) uninitialize = nullptr;
  bool comStarted = false;
};

template <class F>
F Proc(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A library of the system folder, never one found elsewhere first. Systems
// without the search flags refuse them; the full path then names the file.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  std::wstring path(MAX_PATH, L'\0');
  UINT n = GetSystemDirectoryW(path.data(), MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  path.resize(n);
  return LoadLibraryW((path + L"\\" + name).c_str());
}

TShellLibraries& ShellLibraries() {
  static TShellLibraries libs = [] {
    TShellLibraries l;
    HMODULE shell = LoadSystemLibrary(L"shell32.dll");
    HMODULE com = LoadSystemLibrary(L"ole32.dll");
    if (shell) {
      l.executeEx = Proc<decltype(&ShellExecuteExW)>(shell, "ShellExecuteExW");
      l.execute = Proc<decltype(&ShellExecuteW)>(shell, "ShellExecuteW");
      l.folderPath = Proc<decltype(&SHGetFolderPathW)>(shell, "SHGetFolderPathW");
    }
    if (com) {
      auto initialize = Proc<decltype(&CoInitializeEx)>(com, "CoInitializeEx");
      l.createInstance = Proc<decltype(&CoCreateInstance)>(com, "CoCreateInstance");
      l.uninitialize = Proc<decltype(&CoUninitialize)>(com, "CoUninitialize");
      l.comStarted = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }
    return l;
  }();
  return libs;
}

bool shellLibrariesLoaded = false;

TShellLibraries& ShellApi() {
  shellLibrariesLoaded = true;
  return ShellLibraries();
}

}  // namespace

void RestrictDllSearch() {
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto restrict = kernel ? Proc<TSetDefaultDllDirectories>(kernel, "SetDefaultDllDirectories") : nullptr;
  if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Some loaders still look beside the program when a system library loads
  // another one by its bare name on first use (Wine's theme library does so
  // with msimg32.dll when the first themed button is drawn, the launcher's
  // questions included). A library that is loaded already is taken as it is:
  // loaded now from the system folder, it is the one they get.
  for (const wchar_t* name : {L"msimg32.dll"}) LoadSystemLibrary(name);
}

void DisableInputMethods() {
  using TImmDisableIME = BOOL(WINAPI*)(DWORD);
  HMODULE imm = LoadSystemLibrary(L"imm32.dll");
  auto disable = imm ? Proc<TImmDisableIME>(imm, "ImmDisableIME") : nullptr;
  if (disable) disable(static_cast<DWORD>(-1));  // every thread of the process
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // a long path: try again with room for it
  }
  size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return path;
}

bool PostQuitToWindowOfClass(const std::string& className) {
  HWND window = FindWindowW(Wide(className).c_str(), nullptr);
  if (!window) return false;
  PostMessageW(window, WM_QUIT, 0, 0);
  return true;
}

// WinExec itself takes the command line in the system's ANSI code page, which
// cannot carry every path; this is what it does, with the wide-character
// call.
bool ExecuteCommandLine(const std::wstring& commandLine, int showCommand) {
  std::wstring line = commandLine;  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  // Give the new program the chance to show its window before the caller
  // goes on, as WinExec does.
  WaitForInputIdle(info.hProcess, 30000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

bool ShellExecuteKeepingProcess(HWND owner, const std::wstring& file, const std::wstring& params,
                                bool noErrorUi, HANDLE& process) {
  process = nullptr;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | (noErrorUi ? SEE_MASK_FLAG_NO_UI : 0);
  info.hwnd = owner;
  info.lpVerb = nullptr;
  info.lpFile = file.c_str();
  info.lpParameters = params.empty() ? nullptr : params.c_str();
  info.lpDirectory = nullptr;
  info.nShow = SW_SHOWNORMAL;
  if (!ShellApi().executeEx || !ShellApi().executeEx(&info)) return false;
  process = info.hProcess;
  return true;
}

TProcessWait WaitForProcess(HANDLE process, unsigned milliseconds) {
  switch (WaitForSingleObject(process, milliseconds)) {
    case WAIT_TIMEOUT: return TProcessWait::TimedOut;
    case WAIT_OBJECT_0: return TProcessWait::Ended;
    default: return TProcessWait::Failed;
  }
}

void CloseProcessHandle(HANDLE process) {
  if (process) CloseHandle(process);
}

void ShellOpen(HWND owner, const std::wstring& file) {
  if (ShellApi().execute) ShellApi().execute(owner, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool RegistryKeyCanBeRead(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_READ, &key);
  if (!key) return false;
  RegCloseKey(key);
  return true;
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != FALSE; }

std::wstring ShellDesktopFolder() {
  wchar_t path[MAX_PATH] = {};
  // S_FALSE: the folder is known but does not exist.
  if (!ShellApi().folderPath ||
      ShellApi().folderPath(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
    return {};
  std::wstring folder = path;
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  DWORD attributes = GetFileAttributesW(folder.c_str());
  if (folder.empty() || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return folder;
}

void Pause(unsigned milliseconds) { Sleep(milliseconds); }

void StopComApartment() {
  if (!shellLibrariesLoaded) return;  // nothing was started
  TShellLibraries& libs = ShellLibraries();
  if (libs.comStarted && libs.uninitialize) libs.uninitialize();
  libs.comStarted = false;
}

bool CreateShellLinkObject(IShellLinkW*& link, IPersistFile*& file) {
  link = nullptr;
  file = nullptr;
  if (!ShellApi().createInstance ||
      FAILED(ShellApi().createInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return false;
  if (FAILED(link->QueryInterface(kPersistFile, reinterpret_cast<void**>(&file)))) {
    ReleaseShellLinkObject(link, file);
    return false;
  }
  return true;
}

void ReleaseShellLinkObject(IShellLinkW*& link, IPersistFile*& file) {
  if (file) file->Release();
  if (link) link->Release();
  file = nullptr;
  link = nullptr;
}

void ShellLinkSetArguments(IShellLinkW* link, const std::wstring& arguments) {
  if (link) link->SetArguments(arguments.c_str());
}

void ShellLinkSetPath(IShellLinkW* link, const std::wstring& path) {
  if (link) link->SetPath(path.c_str());
}

void ShellLinkSetWorkingDirectory(IShellLinkW* link, const std::wstring& folder) {
  if (link) link->SetWorkingDirectory(folder.c_str());
}

void PersistFileSave(IPersistFile* file, const std::wstring& fileName, bool remember) {
  if (file) file->Save(fileName.c_str(), remember ? TRUE : FALSE);
}
