// Stand-in set-up program of the demo medium (Setup\Setup.exe, no arguments).
//
// Copies the product from its payload folder into the product folder, writes
// the uninstall entry and then, last of all, the value "Path" that the
// launcher waits for; then shows "Kész." for a while and ends. Timings and
// faults for tests come from Setup.ini (see README.md).
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "../common/DemoLog.h"
#include "../common/Paths.h"
#include "../common/Product.h"
#include "../common/Registry.h"
#include "../common/Settings.h"
#include "../common/StepRunner.h"

namespace {

using namespace demo;
constexpr wchar_t kName[] = L"Setup.exe";

struct Options {
  std::wstring targetFolder;
  std::wstring uninstallString;
  std::vector<std::wstring> omitted;
  int stepDelayMs;
  int pathDelayMs;
  int stayOpenMs;
  int exitCode;
  bool writeUninstallKey;
  bool writePath;
};

std::wstring Replace(std::wstring text, std::wstring_view token, const std::wstring& by) {
  for (size_t at = text.find(token); at != std::wstring::npos; at = text.find(token, at + by.size())) {
    text.replace(at, token.size(), by);
  }
  return text;
}

std::vector<std::wstring> SplitList(const std::wstring& text) {
  std::vector<std::wstring> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L';', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring item = text.substr(start, end - start);
    while (!item.empty() && item.front() == L' ') item.erase(item.begin());
    while (!item.empty() && item.back() == L' ') item.pop_back();
    if (!item.empty()) items.push_back(item);
    start = end + 1;
  }
  return items;
}

Options ReadOptions(const Settings& settings) {
  Options o;
  o.targetFolder = WithoutTrailingSeparator(
      settings.Text(L"TargetDir", JoinPath(ProgramFilesFolder(), L"Lavonsys\\Korvex 7")));
  const std::wstring defaultUninstall = L"\"{TargetDir}\\" + std::wstring(product::kUninstaller) + L"\" /Korvex7";
  o.uninstallString = Replace(settings.Text(L"UninstallString", defaultUninstall), L"{TargetDir}", o.targetFolder);
  o.omitted = SplitList(settings.Text(L"OmitFile"));
  o.stepDelayMs = std::max(0, settings.Number(L"StepDelayMs", 300));
  o.pathDelayMs = std::max(0, settings.Number(L"PathDelayMs", 1000));
  o.stayOpenMs = std::max(0, settings.Number(L"StayOpenMs", 2000));
  o.exitCode = settings.Number(L"ExitCode", 0);
  o.writeUninstallKey = settings.Flag(L"WriteUninstallKey", true);
  o.writePath = settings.Flag(L"WritePath", true);
  return o;
}

bool IsOmitted(const Options& o, const std::wstring& relative) {
  for (const std::wstring& name : o.omitted) {
    if (EqualNoCase(name, relative) || EqualNoCase(name, FileNameOf(relative))) return true;
  }
  return false;
}

// The product folder's "Path" value: no trailing backslash even for a drive
// root, as the launcher appends one.
std::wstring PathValue(std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}

std::wstring CopyOne(const std::wstring& from, const std::wstring& to, bool omitted) {
  // A file left from an earlier set-up must not stand in for one left out.
  SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (omitted) {
    DeleteFileW(to.c_str());
    Log(kName, L"omit", to);
    return FileExists(to) ? L"a korábbi fájl nem törölhető: " + to : std::wstring();
  }
  if (std::wstring failure = InstallFile(from, to); !failure.empty()) return failure;
  Log(kName, L"copy", to);
  return {};
}

std::wstring WriteUninstallEntry(const Options& o) {
  const std::wstring key = product::kUninstallKey;
  if (!o.writeUninstallKey) {
    const LONG rc = DeleteKeyTree(HKEY_LOCAL_MACHINE, key);
    Log(kName, L"uninstall-key-skipped");
    return rc == ERROR_SUCCESS ? std::wstring() : L"a korábbi eltávolítási kulcs nem törölhető: " + ErrorText(rc);
  }
  const std::pair<const wchar_t*, std::wstring> values[] = {
      {L"DisplayName", L"Korvex 7"},
      {L"DisplayVersion", L"7.0"},
      {L"Publisher", L"Lavonsys"},
      {L"InstallLocation", o.targetFolder},
      {L"UninstallString", o.uninstallString},
  };
  for (const auto& [name, value] : values) {
    const LONG rc = WriteText(HKEY_LOCAL_MACHINE, key, name, value);
    if (rc != ERROR_SUCCESS) return L"az eltávolítási kulcs nem írható: " + ErrorText(rc);
  }
  Log(kName, L"uninstall-key", o.uninstallString);
  return {};
}

std::wstring WritePath(const Options& o) {
  if (!o.writePath) {
    Log(kName, L"path-skipped");
    return {};
  }
  const std::wstring value = PathValue(o.targetFolder);
  const LONG rc = WriteText(HKEY_CURRENT_USER, product::kSettingsKey, product::kPathValue, value);
  if (rc != ERROR_SUCCESS) return L"a Path érték nem írható: " + ErrorText(rc);
  Log(kName, L"path", value);
  return {};
}

std::vector<Step> InstallationSteps(const Options& o) {
  std::vector<Step> steps;
  const std::wstring source = JoinPath(ModuleFolder(), product::kPayloadFolder);
  const size_t count = std::size(product::kFiles);
  for (size_t i = 0; i < count; ++i) {
    const std::wstring relative = product::kFiles[i];
    const std::wstring progress = L"Fájlok másolása (" + std::to_wstring(i + 1) + L"/" + std::to_wstring(count) +
                                  L"): " + FileNameOf(relative);
    steps.push_back({progress, o.stepDelayMs, [&o, source, relative] {
                       return CopyOne(JoinPath(source, relative), JoinPath(o.targetFolder, relative),
                                      IsOmitted(o, relative));
                     }});
  }
  steps.push_back({L"Eltávolítási adatok rögzítése...", o.stepDelayMs, [&o] { return WriteUninstallEntry(o); }});
  // Last: the launcher takes this value as the sign that the set-up is done.
  steps.push_back({L"A telepítés befejezése...", o.pathDelayMs, [&o] { return WritePath(o); }});
  return steps;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Log(kName, L"start", GetCommandLineW());
  const Settings settings(L"KORVEX_SETUP_INI", L"Setup.ini", L"Setup");
  Log(kName, L"settings", settings.FilePath());
  const Options options = ReadOptions(settings);
  Log(kName, L"target", options.targetFolder);
  const StepProgram program{kName, L"KorvexDemoSetup", L"Korvex 7 telepítése", L"Célmappa: " + options.targetFolder,
                            options.stayOpenMs, options.exitCode};
  return RunSteps(program, InstallationSteps(options));
}
