#include "launcher/LibraryUnits.h"

#include "controls/HatchPatterns.h"
#include "controls/SajatCom.h"
#include "framework/ClassRegistry.h"
#include "launcher/WinExit.h"
#include "swap/GdiObjectStores.h"
#include "swap/Swapfile.h"
#include "tasks/TasksUnit.h"

TLibraryUnits::TLibraryUnits() {
  SwapfileUnitStart();
  SajatComUnitStart();
  TasksUnitStart();
  TClassRegistry::Instance().Register(TWinExit::StaticClassInfo());
  HatchUnitStart();
  GdiObjectStoresStart();
}

TLibraryUnits::~TLibraryUnits() {
  GdiObjectStoresStop();
  HatchUnitStop();
  TasksUnitStop();
  SwapfileUnitStop();
}
