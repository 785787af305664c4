#include "swap/GdiObjectStores.h"

#include <cstring>
#include <vector>

#include "framework/UnitTrace.h"
#include "swap/Swapfile.h"

TSwapFile* GdiObjectStore1 = nullptr;
TSwapFile* GdiObjectStore2 = nullptr;

namespace {

TGdiObjectDeleter Deleter = &PlatformDeleteGdiObject;

void Empty(TSwapFile*& store) {
  if (!store) return;
  std::vector<uint8_t> rec(static_cast<size_t>(store->RecSize()));
  for (int64_t i = 1; i <= store->Count(); ++i) {
    if (store->RecSize() >= 4 && store->ReadRec(static_cast<int32_t>(i), rec.data())) {
      uint32_t handle;
      std::memcpy(&handle, rec.data(), sizeof handle);
      Deleter(handle);
    }
  }
  delete store;
  store = nullptr;
}

}  // namespace

TGdiObjectDeleter SetGdiObjectDeleter(TGdiObjectDeleter NewDeleter) {
  TGdiObjectDeleter previous = Deleter;
  Deleter = NewDeleter ? NewDeleter : &PlatformDeleteGdiObject;
  return previous;
}

void GdiObjectStoresStart() {
  try {
    if (!GdiObjectStore1) GdiObjectStore1 = TSwapFile::Create(52);
    if (!GdiObjectStore2) GdiObjectStore2 = TSwapFile::Create(12);
  } catch (...) {
    // A start that fails leaves no store behind.
    Empty(GdiObjectStore1);
    throw;
  }
  UnitTrace("GdiObjectStores: started");
}

void GdiObjectStoresStop() {
  Empty(GdiObjectStore1);
  Empty(GdiObjectStore2);
  UnitTrace("GdiObjectStores: stopped");
}

#ifndef _WIN32
void PlatformDeleteGdiObject(uint32_t) {}
#endif
