#pragma once
// The start and the end of both programs (Start.exe and Gallery.exe): the one
// place that orders the program's units.
//
// Start, in this order:
//   Framework        the framework runtime: the application object, the
//                    standard classes, the picture formats the program links
//   Swapfile         the swap manager SwapMngr (every later unit may make
//                    swap files)
//   Tasks            TaskManager with its base task of level -1
//   HatchPatterns    the hatch-pattern table, from the program's bitmaps
//   GdiObjectStores  the two stores of graphics-object handles
//   SajatCom         the input controls' classes, for layouts
// then the program entry: the program's own classes, its title and its forms
// (the first made is the main form); then the message loop.
//
// End, in the reverse order: when the message loop ends the program's forms
// are freed, then the units stop, last started first (the stores delete the
// graphics objects they hold, the task manager ends every task, the swap
// manager destroys the swap files still registered with their temporary
// files, unit-level texts are emptied), the framework last.
//
// Failure: when a unit fails to start, the units already started stop, last
// started first; when the program entry fails, its forms are freed and then
// every unit stops. Either way the failure is shown in a message box once
// everything has stopped, and the program's exit code is 1 (0 otherwise).
//
// Every unit reports its own start and stop to the unit trace
// (framework/UnitTrace.h); the program entry reports "Program: started" once
// its forms exist and "Program: stopped" once they are freed.

#include <span>

#include "framework/UnitSequence.h"

std::span<const TUnit> ProgramUnits();

struct TProgramEntry {
  const wchar_t* Caption;  // of the message box that reports a failure
  // Registers the program's own classes, sets the title, makes the forms.
  void (*CreateForms)();
};

// The program's whole life as above; returns the exit code.
int RunProgram(const TProgramEntry& entry);
