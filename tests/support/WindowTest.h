#pragma once
// Support for tests that show real windows: a test environment that starts the
// framework around every test program, and waiting with message processing.

#include <windows.h>

#include <functional>
#include <string>

#include "TestTime.h"

// Processes messages for about `ms` milliseconds, scaled by TestTimeScale():
// time a test gives the system to settle. A product's own pause is checked by
// when its effect comes (a lower bound), never by pumping a fixed time before
// it: on a slow machine one pass of the loop may take longer than the pause.
void Pump(int ms);
// Processes messages until pred() holds or `ms` milliseconds (scaled by
// TestTimeScale(): a test's patience, not a product pause) have passed;
// returns whether it held.
bool WaitUntil(const std::function<bool()>& pred, int ms = 5000);
// The colour of a screen pixel (the windows must be on the screen).
COLORREF ScreenPixel(int x, int y);
// The screen position of a window's client point.
POINT ClientToScreenPoint(HWND window, int x, int y);
// A window's text as UTF-16.
std::wstring WindowTextW(HWND window);
// Exceptions the application's handler received since the last call.
std::string TakeApplicationErrors();
