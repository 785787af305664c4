// The control gallery's program entry: the framework and the input-control
// unit start, then the gallery form runs as the main form, or with
// "/page <Name>" that page of the gallery (GalleryPages.h).
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>

#include "controls/SajatCom.h"
#include "framework/Application.h"
#include "framework/WinText.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryPages.h"

namespace {

// The argument after "/page", or empty.
std::wstring PageArgument() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring page;
  for (int i = 1; argv && i + 1 < argc; ++i) {
    if (CompareStringOrdinal(argv[i], -1, L"/page", -1, TRUE) == CSTR_EQUAL) page = argv[i + 1];
  }
  LocalFree(argv);
  return page;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    StartFramework();
    SajatComUnitStart();
    Application->Initialize();
    Application->SetTitle("Korvex 7 – vezérlők");
    const std::wstring page = PageArgument();
    if (page.empty()) {
      Application->CreateForm(GalleryForm);
    } else if (const TGalleryPage* p = FindGalleryPage(page)) {
      p->Create(true);
    } else {
      throw Exception("No gallery page is called " + Narrow(page));
    }
    Application->Run();
    StopFramework();
    return 0;
  } catch (const std::exception& e) {
    std::string text = e.what();
    if (auto* ex = dynamic_cast<const Exception*>(&e)) text = ex->Message();
    MessageBoxW(nullptr, Wide(text).c_str(), L"Gallery", MB_ICONERROR | MB_OK);
    return 1;
  }
}
