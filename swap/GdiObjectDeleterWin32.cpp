// Graphics-object handles are 32 bits wide in every Windows process; 64-bit
// Windows sign-extends them.

#include <windows.h>

#include "swap/GdiObjectStores.h"

void PlatformDeleteGdiObject(uint32_t Handle) {
  if (Handle != 0)
    DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(static_cast<int32_t>(Handle))));
}
