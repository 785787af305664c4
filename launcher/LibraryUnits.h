#pragma once
// The start and stop of the library's units, in the order the program relies
// on: the swap-file storage first (every later unit may make swap files),
// the task framework after the input controls,
// the graphics-object stores last; stopping runs in reverse. Make one
// TLibraryUnits after the framework has started; its destruction stops them.

class TLibraryUnits {
public:
  TLibraryUnits();
  ~TLibraryUnits();
  TLibraryUnits(const TLibraryUnits&) = delete;
  TLibraryUnits& operator=(const TLibraryUnits&) = delete;
};
