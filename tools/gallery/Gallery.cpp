// The control gallery's program entry: the framework and the input-control
// unit start, then the gallery form runs as the main form.
#include <windows.h>

#include <exception>

#include "controls/SajatCom.h"
#include "framework/Application.h"
#include "framework/WinText.h"
#include "tools/gallery/GalleryForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    StartFramework();
    SajatComUnitStart();
    Application->Initialize();
    Application->SetTitle("Korvex 7 – vezérlők");
    Application->CreateForm(GalleryForm);
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
