// Stand-in uninstaller, installed by the stand-in set-up as
// <product folder>\Uninstall\Uninst.exe and named by "UninstallString".
//
// Removes the product's files from the folder above its own (when the set-up
// recorded that folder), the uninstall entry and the "Path" value. Asks first, unless a /silent (/s, /q) word is
// on the command line. Its own file and the two folders are removed at the
// next restart, as a running program cannot delete itself.
#include <windows.h>

#include "../common/CommandLine.h"
#include "../common/DemoLog.h"
#include "../common/Paths.h"
#include "../common/Product.h"
#include "../common/Registry.h"

namespace {

using namespace demo;
constexpr wchar_t kName[] = L"Uninst.exe";
constexpr wchar_t kCaption[] = L"Korvex 7 eltávolítása";

bool RemoveFile(const std::wstring& path) {
  if (!FileExists(path)) return true;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileW(path.c_str())) {
    Log(kName, L"remove", path);
    return true;
  }
  Log(kName, L"error", path + L": " + ErrorText(GetLastError()));
  return false;
}

void RemoveAtRestart(const std::wstring& path) {
  if (MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    Log(kName, L"remove-at-restart", path);
  } else {
    Log(kName, L"error", path + L": " + ErrorText(GetLastError()));
  }
}

// Only a folder the set-up recorded is emptied, never the one this program
// happens to run from.
bool IsRegisteredProductFolder(const std::wstring& folder) {
  for (const auto& recorded : {ReadText(HKEY_LOCAL_MACHINE, product::kUninstallKey, L"InstallLocation"),
                               ReadText(HKEY_CURRENT_USER, product::kSettingsKey, product::kPathValue)}) {
    if (recorded && EqualNoCase(WithoutTrailingSeparator(*recorded), WithoutTrailingSeparator(folder))) return true;
  }
  return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring commandLine = GetCommandLineW();
  Log(kName, L"start", commandLine);
  const bool silent = HasWord(ArgumentsOfThisProgram(), {L"/silent", L"/s", L"/q"});

  if (!silent && MessageBoxW(nullptr, L"Biztosan eltávolítja a Korvex 7 programot és minden összetevőjét?",
                             kCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    Log(kName, L"end", L"cancelled");
    return 1;
  }

  const std::wstring ownFolder = ModuleFolder();
  const std::wstring productFolder = ParentFolder(ownFolder);
  if (!IsRegisteredProductFolder(productFolder)) {
    // E.g. the copy in the set-up's payload folder on the medium.
    Log(kName, L"error", L"not installed here: " + productFolder);
    if (!silent) MessageBoxW(nullptr, L"A Korvex 7 nincs ebbe a mappába telepítve.", kCaption, MB_OK | MB_ICONWARNING);
    Log(kName, L"end", L"failed");
    return 2;
  }
  bool complete = true;
  for (const wchar_t* file : {product::kProgram, product::kHelp, product::kLicence}) {
    complete = RemoveFile(JoinPath(productFolder, file)) && complete;
  }

  LONG rc = DeleteKeyTree(HKEY_LOCAL_MACHINE, product::kUninstallKey);
  if (rc == ERROR_SUCCESS) {
    Log(kName, L"remove-key", L"HKEY_LOCAL_MACHINE\\" + std::wstring(product::kUninstallKey));
  } else {
    Log(kName, L"error", L"uninstall key: " + ErrorText(rc));
    complete = false;
  }
  rc = DeleteValue(HKEY_CURRENT_USER, product::kSettingsKey, product::kPathValue);
  if (rc == ERROR_SUCCESS) {
    Log(kName, L"remove-value",
        L"HKEY_CURRENT_USER\\" + std::wstring(product::kSettingsKey) + L"\\" + product::kPathValue);
  } else {
    Log(kName, L"error", L"Path value: " + ErrorText(rc));
    complete = false;
  }

  // Deleted in this order at restart: the folders are empty by then.
  RemoveAtRestart(ModulePath());
  RemoveAtRestart(ownFolder);
  RemoveAtRestart(productFolder);

  if (!silent) {
    MessageBoxW(nullptr,
                complete ? L"A Korvex 7 eltávolítása befejeződött."
                         : L"A Korvex 7 eltávolítása nem sikerült teljesen: néhány elemet nem lehetett törölni.",
                kCaption, MB_OK | (complete ? MB_ICONINFORMATION : MB_ICONWARNING));
  }
  Log(kName, L"end", complete ? L"done" : L"failed");
  return complete ? 0 : 2;
}
