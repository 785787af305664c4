#include "launcher/StartupProgram.h"

#include <exception>

#include "framework/Application.h"
#include "framework/WinText.h"
#include "launcher/FrSetInf.h"
#include "launcher/LauncherPlatform.h"
#include "launcher/LibraryUnits.h"
#include "launcher/frStartup.h"

int RunStartupProgram(void (*afterCreate)()) {
  int result = 0;
  try {
    StartFramework();
    {
      TLibraryUnits units;
      Application->Initialize();
      Application->SetTitle("Korvex 7 Installation");
      // The launcher's FormCreate sets the texts the information window copies.
      Application->CreateForm(FrmStartup);
      Application->CreateForm(frmSetupInfo);
      if (afterCreate) afterCreate();
      Application->Run();
      // The forms go before the units they may use.
      StopFramework();
    }
  } catch (const std::exception& e) {
    std::string text = e.what();
    if (auto* ex = dynamic_cast<const Exception*>(&e)) text = ex->Message();
    MessageBoxW(nullptr, Wide(text).c_str(), L"Korvex 7", MB_ICONERROR | MB_OK);
    result = 1;
  }
  ReleaseStartupUnit();
  StopComApartment();
  return result;
}
