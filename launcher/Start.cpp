// The launcher's program entry.
#include <windows.h>

#include <exception>

#include "framework/Application.h"
#include "framework/WinText.h"
#include "launcher/FrSetInf.h"
#include "launcher/LibraryUnits.h"
#include "launcher/frStartup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    StartFramework();
    {
      TLibraryUnits units;
      Application->Initialize();
      Application->SetTitle("Korvex 7 Installation");
      Application->CreateForm(FrmStartup);
      Application->CreateForm(frmSetupInfo);
      Application->Run();
      // The forms go before the units they may use.
      StopFramework();
    }
    return 0;
  } catch (const std::exception& e) {
    std::string text = e.what();
    if (auto* ex = dynamic_cast<const Exception*>(&e)) text = ex->Message();
    MessageBoxW(nullptr, Wide(text).c_str(), L"Korvex 7", MB_ICONERROR | MB_OK);
    return 1;
  }
}
