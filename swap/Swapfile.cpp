#include "swap/Swapfile.h"

#include "framework/UnitTrace.h"

TSwapMngr* SwapMngr = nullptr;
std::string SwapFilePrefix = "SWP";

void SwapfileUnitStart() {
  SwapFilePrefix = "SWP";
  if (!SwapMngr) SwapMngr = new TSwapMngr();
  UnitTrace("Swapfile: started");
}

void SwapfileUnitStop() {
  TSwapMngr* mngr = SwapMngr;
  // The files the manager destroys still reach it through SwapMngr.
  delete mngr;
  SwapMngr = nullptr;
  SwapFilePrefix.clear();
  UnitTrace("Swapfile: stopped");
}
