// Stand-in PDF reader installer of the demo medium
// (AcrobatReader50\ar505eng.exe, no arguments).
//
// Installs the stand-in viewer into Program Files, registers it for .pdf and
// then, last, creates the reader key the launcher polls for, so a document
// opened as soon as the key appears finds its viewer. Timings and the "no
// reader ever appears" case come from ar505eng.ini (see README.md).
#include <windows.h>

#include <algorithm>

#include "../common/DemoLog.h"
#include "../common/Paths.h"
#include "../common/Registry.h"
#include "../common/Settings.h"
#include "../common/StepRunner.h"
#include "Reader.h"

namespace {

using namespace demo;
constexpr wchar_t kName[] = L"ar505eng.exe";

struct Options {
  std::wstring targetFolder;
  int startDelayMs;
  int keyDelayMs;
  int stayOpenMs;
  int exitCode;
  bool registerViewer;
  bool createKey;
};

Options ReadOptions(const Settings& settings) {
  Options o;
  o.targetFolder = WithoutTrailingSeparator(
      settings.Text(L"TargetDir", JoinPath(ProgramFilesFolder(), L"Lavonsys\\PDF Viewer")));
  o.startDelayMs = std::max(0, settings.Number(L"StartDelayMs", 1000));
  o.keyDelayMs = std::max(0, settings.Number(L"KeyDelayMs", 1000));
  o.stayOpenMs = std::max(0, settings.Number(L"StayOpenMs", 3000));
  o.exitCode = settings.Number(L"ExitCode", 0);
  o.registerViewer = settings.Flag(L"RegisterViewer", true);
  o.createKey = settings.Flag(L"CreateKey", true);
  return o;
}

std::wstring ViewerPath(const Options& o) { return JoinPath(o.targetFolder, reader::kViewerFile); }

std::wstring InstallViewer(const Options& o) {
  const std::wstring from = JoinPath(ModuleFolder(), reader::kPayloadViewer);
  const std::wstring to = ViewerPath(o);
  if (std::wstring failure = InstallFile(from, to); !failure.empty()) return failure;
  Log(kName, L"copy", to);
  return {};
}

std::wstring RegisterViewer(const Options& o) {
  const std::wstring progId = reader::kProgId;
  const std::wstring command = L"\"" + ViewerPath(o) + L"\" \"%1\"";
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } values[] = {
      {progId, L"", L"PDF-dokumentum (bemutató)"},
      {progId + L"\\DefaultIcon", L"", ViewerPath(o) + L",0"},
      {progId + L"\\shell\\open\\command", L"", command},
      {L".pdf", L"Content Type", L"application/pdf"},
      {L".pdf", L"", progId},
  };
  for (const auto& v : values) {
    const LONG rc = WriteText(HKEY_CLASSES_ROOT, v.key, v.name, v.value);
    if (rc != ERROR_SUCCESS) return L"a .pdf társítás nem írható: " + ErrorText(rc);
  }
  Log(kName, L"pdf-command", command);
  return {};
}

std::wstring CreateReaderKey(const Options& o) {
  if (!o.createKey) {
    Log(kName, L"reader-key-skipped");
    return {};
  }
  const LONG rc = WriteText(HKEY_LOCAL_MACHINE, reader::kReaderKey, L"Viewer", ViewerPath(o));
  if (rc != ERROR_SUCCESS) return L"a regisztrációs kulcs nem írható: " + ErrorText(rc);
  Log(kName, L"reader-key", L"HKEY_LOCAL_MACHINE\\" + std::wstring(reader::kReaderKey));
  return {};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Log(kName, L"start", GetCommandLineW());
  const Settings settings(L"KORVEX_READER_INI", L"ar505eng.ini", L"Reader");
  Log(kName, L"settings", settings.FilePath());
  const Options o = ReadOptions(settings);
  std::vector<Step> steps;
  if (o.registerViewer) {
    steps.push_back({L"Az olvasó másolása...", o.startDelayMs, [&o] { return InstallViewer(o); }});
    steps.push_back({L"A .pdf fájlok társítása...", 0, [&o] { return RegisterViewer(o); }});
  }
  steps.push_back({L"Regisztráció...", (o.registerViewer ? 0 : o.startDelayMs) + o.keyDelayMs,
                   [&o] { return CreateReaderKey(o); }});
  const StepProgram program{kName, L"KorvexDemoReaderSetup", L"PDF-olvasó telepítése (bemutató)",
                            L"Célmappa: " + o.targetFolder, o.stayOpenMs, o.exitCode};
  return RunSteps(program, std::move(steps));
}
