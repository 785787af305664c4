#pragma once
// Confining the mouse pointer to a rectangle of the screen, through one place
// that remembers what the program asked for: some systems (Wine on a virtual
// display among them) accept the request without confining, so the program's
// own record is what tells whether it left the pointer confined.

#include <windows.h>

// Confines the pointer to area (screen coordinates); null frees it.
void ConfinePointer(const RECT* area);
// Whether the program's last request confines the pointer, and to what.
bool PointerConfined();
RECT PointerConfinement();
