// The control gallery's program entry: the framework, the swap-file, input-
// control and task units start, then the gallery form runs as the main form, or with
// "/page <Name>" that page of the gallery (GalleryPages.h). The gallery's
// settings (the places the library's forms keep) are Gallery.ini next to the
// program.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>

#include "controls/HatchPatterns.h"
#include "controls/SajatCom.h"
#include "controls/StructCombo.h"
#include "forms/InterfaceSettings.h"
#include "framework/Application.h"
#include "framework/IniFile.h"
#include "framework/WinText.h"
#include "swap/Swapfile.h"
#include "tasks/CursorHintWindow.h"
#include "tasks/TasksUnit.h"
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

// Gallery.ini in the program's folder, named losslessly whatever the
// folder's name.
std::wstring SettingsFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Gallery.ini";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    TIniFile settings(SettingsFileName());
    InterfaceSettings.Store = &settings;
    StartFramework();
    SwapfileUnitStart();
    SajatComUnitStart();
    HatchUnitStart();
    StructComboUnitStart();
    TasksUnitStart();
    UseCursorHintWindows();
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
    TasksUnitStop();
    SwapfileUnitStop();
    StopFramework();
    HatchUnitStop();
    InterfaceSettings.Store = nullptr;
    return 0;
  } catch (const std::exception& e) {
    InterfaceSettings.Store = nullptr;
    std::string text = e.what();
    if (auto* ex = dynamic_cast<const Exception*>(&e)) text = ex->Message();
    MessageBoxW(nullptr, Wide(text).c_str(), L"Gallery", MB_ICONERROR | MB_OK);
    return 1;
  }
}
