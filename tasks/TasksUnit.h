#pragma once
// The task framework's unit on Windows.
//
// TasksUnitStart (after the framework and the swap-file unit have started):
// installs the Windows platform, makes TaskManager with its base task, and
// connects the library forms' menu loops (the current task is inactive while
// a menu of a library form is open).
// UseCursorHintWindows (CursorHintWindow.h), after it, lets the cursors show
// their hints in cursor hint forms and frees the hints handed over to the
// main form: programs whose views show task cursors call it; the others (the
// launcher) do not link the forms it needs.
// TasksUnitStop: ends every task (hints are closed rather than handed over,
// the host's hint handler is no longer called), puts mouse acceleration back
// if precision mode had switched it off, and disconnects all of the above.

class TWin32TaskPlatform;

void TasksUnitStart();
void TasksUnitStop();
// The platform the unit installs.
TWin32TaskPlatform& Win32TaskPlatform();
