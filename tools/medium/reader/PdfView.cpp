// Stand-in PDF viewer that the stand-in reader installer registers for .pdf
// ("<viewer>" "%1"): a window titled with the document's file name. One
// instance per document.
#include <windows.h>

#include "../common/CommandLine.h"
#include "../common/DemoLog.h"
#include "../common/FileSummary.h"
#include "../common/Paths.h"
#include "../common/StatusWindow.h"

namespace {
constexpr wchar_t kName[] = L"pdfview.exe";
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace demo;
  const std::wstring commandLine = GetCommandLineW();
  Log(kName, L"start", commandLine);
  const std::wstring document = Unquote(ArgumentsOfThisProgram());
  std::vector<std::wstring> lines{L"PDF-olvasó (bemutató)"};
  std::wstring title = L"PDF-olvasó";
  if (document.empty()) {
    lines.push_back(L"Nincs megnyitott dokumentum.");
  } else {
    Log(kName, L"open", document);
    title = FileNameOf(document);
    lines.push_back(L"Dokumentum: " + document);
    lines.push_back(DescribeFile(document));
  }

  return ShowUntilClosed(kName, L"KorvexDemoPdfViewer", title, std::move(lines));
}
