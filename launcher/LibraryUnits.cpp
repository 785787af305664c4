#include "launcher/LibraryUnits.h"

#include <windows.h>

#include <exception>
#include <string>

#include "controls/HatchPatterns.h"
#include "controls/SajatCom.h"
#include "framework/Application.h"
#include "framework/Exception.h"
#include "framework/UnitTrace.h"
#include "framework/WinText.h"
#include "swap/GdiObjectStores.h"
#include "swap/Swapfile.h"
#include "tasks/TasksUnit.h"

namespace {

const TUnit Units[] = {
    {"Framework", &StartFramework, &StopFramework},
    {"Swapfile", &SwapfileUnitStart, &SwapfileUnitStop},
    {"Tasks", &TasksUnitStart, &TasksUnitStop},
    {"HatchPatterns", &HatchUnitStart, &HatchUnitStop},
    {"GdiObjectStores", &GdiObjectStoresStart, &GdiObjectStoresStop},
    {"SajatCom", &SajatComUnitStart, nullptr},
};

void FreeForms() {
  if (Application) Application->FreeForms();
  UnitTrace("Program: stopped");
}

}  // namespace

std::span<const TUnit> ProgramUnits() { return Units; }

int RunProgram(const TProgramEntry& entry) {
  std::string failure;
  try {
    TUnitSequence units(ProgramUnits());
    try {
      entry.CreateForms();
      UnitTrace("Program: started");
      Application->Run();
    } catch (...) {
      FreeForms();
      throw;
    }
    FreeForms();
  } catch (const Exception& e) {
    failure = e.Message();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (failure.empty()) return 0;
  MessageBoxW(nullptr, Wide(failure).c_str(), entry.Caption, MB_ICONERROR | MB_OK);
  return 1;
}
