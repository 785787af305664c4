#include "Player.h"

#include <windows.h>

#include "../common/CommandLine.h"
#include "../common/DemoLog.h"
#include "../common/FileSummary.h"
#include "../common/Paths.h"
#include "../common/StatusWindow.h"

namespace demo {

int RunPlayer(const PlayerKind& kind) {
  const std::wstring commandLine = GetCommandLineW();
  Log(kind.programName, L"start", commandLine);
  const SwitchesAndPath args = SplitSwitches(ArgumentsOfThisProgram());

  std::wstring switches;
  for (const std::wstring& s : args.switches) switches += (switches.empty() ? L"" : L" ") + s;
  std::wstring title = kind.title;
  std::vector<std::wstring> lines{kind.title};
  if (args.path.empty()) {
    lines.push_back(L"Nincs megadott fájl.");
  } else {
    title += L" \u2013 " + FileNameOf(args.path);
    lines.push_back(L"Fájl: " + args.path);
    lines.push_back(DescribeFile(args.path));
  }
  lines.push_back(L"Kapcsolók: " + (switches.empty() ? std::wstring(L"nincs") : switches));
  lines.push_back(L"(Bemutató lejátszó: a tartalmat nem játssza le.)");
  Log(kind.programName, L"play", args.path);

  return ShowUntilClosed(kind.programName, kind.windowClass, title, std::move(lines));
}

}  // namespace demo
