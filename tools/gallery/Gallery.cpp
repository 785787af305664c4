// The control gallery's program entry: the framework and the library's units
// start (launcher/LibraryUnits.h), then the gallery form runs as the main
// form, or with "/page <Name>" that page of the gallery (GalleryPages.h). The
// gallery's settings (the places the library's forms keep) are Gallery.ini
// next to the program.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>

#include "controls/StructCombo.h"
#include "forms/InterfaceSettings.h"
#include "framework/Application.h"
#include "framework/IniFile.h"
#include "framework/WinText.h"
#include "launcher/LibraryUnits.h"
#include "tasks/CursorHintWindow.h"
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

// The gallery's own classes, its title and its main form.
void CreateForms() {
  StructComboUnitStart();
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
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TIniFile settings(SettingsFileName());
  InterfaceSettings.Store = &settings;
  const int result = RunProgram(TProgramEntry{L"Gallery", &CreateForms});
  InterfaceSettings.Store = nullptr;
  return result;
}
