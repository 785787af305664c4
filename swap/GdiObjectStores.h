#pragma once
// The two stores of graphics-object handles that the library keeps from start
// to end: in-memory swap files of 52-byte (GdiObjectStore1) and 12-byte
// (GdiObjectStore2) records whose first 32 bits are a graphics-object handle.
// Nothing adds records to them in this program.
//
// GdiObjectStoresStart() comes after SwapfileUnitStart() (see Swapfile.h) and
// creates store 1, then store 2. GdiObjectStoresStop() comes before
// SwapfileUnitStop(): for store 1, then store 2, it deletes the graphics
// object of every record (DeleteObject on Windows) and destroys the store.

#include <cstdint>

class TSwapFile;

extern TSwapFile* GdiObjectStore1;
extern TSwapFile* GdiObjectStore2;

void GdiObjectStoresStart();
void GdiObjectStoresStop();

// Deletes one graphics object; replaceable (tests, native builds).
using TGdiObjectDeleter = void (*)(uint32_t Handle);
// Installs Deleter (nullptr restores the platform's); returns the previous.
TGdiObjectDeleter SetGdiObjectDeleter(TGdiObjectDeleter Deleter);
// The platform's deleter: DeleteObject on Windows, nothing elsewhere.
void PlatformDeleteGdiObject(uint32_t Handle);
