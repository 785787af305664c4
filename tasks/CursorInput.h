#pragma once
// Keyboard and mouse routines of the task framework (through the platform).
//
// Mouse acceleration: precision mode switches the logon's acceleration off
// (MouseAccelOff). The process remembers that it did so, and
// MouseAccelRestore acts only while that mark is set: it then reloads the
// user's settings from HKEY_CURRENT_USER\Control Panel\Mouse (missing or
// unreadable values give 4, 0, 1) and clears the mark. Restoring is also done
// when Ctrl is released (a task's KeyUp without Ctrl), a cursor hides, a task
// is deactivated or ends, and when the task unit stops, so no exit path
// leaves the logon without acceleration; ordinary moves never rewrite the
// settings.

#include "framework/Controls.h"
#include "tasks/TaskTypes.h"

// Shift (1) for VK_SHIFT, Alt (2) for VK_MENU, Ctrl (4) for VK_CONTROL.
TShiftState GetShiftState();
void MouseAccelOff();
void MouseAccelRestore();
// Whether acceleration is switched off by this process now.
bool MouseAccelSwitchedOff();
// A mouse move waits in the queue: delta := pointer position now minus the
// position of the last retrieved message; true when delta is not (0, 0).
// Otherwise delta := (0, 0) and false.
bool MouseMovePending(TPixelPoint& delta);
