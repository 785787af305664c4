// Stand-in for the installed product (korvex.exe [document]): a window that
// shows which document it was asked to open.
#include <windows.h>

#include "../common/CommandLine.h"
#include "../common/DemoLog.h"
#include "../common/FileSummary.h"
#include "../common/Paths.h"
#include "../common/StatusWindow.h"

namespace {
constexpr wchar_t kProgram[] = L"korvex.exe";
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace demo;
  const std::wstring commandLine = GetCommandLineW();
  Log(kProgram, L"start", commandLine);
  // The shell passes the document as registered: "...\korvex.exe %1", so
  // the path may hold blanks and come without quotation marks.
  const std::wstring document = Unquote(ArgumentsOfThisProgram());
  std::vector<std::wstring> lines{L"Korvex 7 (bemutató változat)", L"Parancssor: " + commandLine};
  if (document.empty()) {
    lines.push_back(L"Nincs megnyitott dokumentum.");
  } else {
    Log(kProgram, L"open", document);
    lines.push_back(L"Dokumentum: " + document);
    lines.push_back(DescribeFile(document));
  }

  return ShowUntilClosed(kProgram, L"KorvexDemoProduct", L"Korvex 7", std::move(lines));
}
