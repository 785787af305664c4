#include "launcher/LibraryUnits.h"

#include "framework/ClassRegistry.h"
#include "launcher/WinExit.h"
#include "swap/GdiObjectStores.h"
#include "swap/Swapfile.h"

TLibraryUnits::TLibraryUnits() {
  SwapfileUnitStart();
  TClassRegistry::Instance().Register(TWinExit::StaticClassInfo());
  GdiObjectStoresStart();
}

TLibraryUnits::~TLibraryUnits() {
  GdiObjectStoresStop();
  SwapfileUnitStop();
}
