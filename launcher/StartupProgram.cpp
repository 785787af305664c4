#include "launcher/StartupProgram.h"

#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "launcher/FrSetInf.h"
#include "launcher/LauncherPlatform.h"
#include "launcher/LibraryUnits.h"
#include "launcher/WinExit.h"
#include "launcher/frStartup.h"

namespace {

void (*AfterCreate)() = nullptr;

void CreateForms() {
  TClassRegistry::Instance().Register(TWinExit::StaticClassInfo());
  Application->Initialize();
  Application->SetTitle("Korvex 7 Installation");
  // The launcher's FormCreate sets the texts the information window copies.
  Application->CreateForm(FrmStartup);
  Application->CreateForm(frmSetupInfo);
  if (AfterCreate) AfterCreate();
}

}  // namespace

int RunStartupProgram(void (*afterCreate)()) {
  AfterCreate = afterCreate;
  const int result = RunProgram(TProgramEntry{L"Korvex 7", &CreateForms});
  ReleaseStartupUnit();
  StopComApartment();
  return result;
}
