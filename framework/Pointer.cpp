#include "framework/Pointer.h"

namespace {

bool confined = false;
RECT confinement{};

}  // namespace

void ConfinePointer(const RECT* area) {
  confined = area != nullptr;
  confinement = area ? *area : RECT{};
  ClipCursor(area);
}

bool PointerConfined() { return confined; }

RECT PointerConfinement() { return confinement; }
