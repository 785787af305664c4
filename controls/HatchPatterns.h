#pragma once
// The hatch-pattern table: the twelve fill patterns of HatchRule.h, loaded
// once at start-up from the program's bitmap resources of the same names
// (32 x 32, one bit a pixel, black lines on white), for drawing code that
// fills areas with hatching.
//
// States: unloaded (every record zero, HatchPatternsLoaded() false) until
// HatchUnitStart() has read all twelve resources; loaded until
// HatchUnitStop(). A failed start leaves the table unloaded.

#include "controls/HatchRule.h"

#ifdef _WIN32
#include <windows.h>
#endif

// The table, in the order of HatchPatternNames.
extern std::array<THatchPattern, HatchPatternCount> HatchPatterns;
bool HatchPatternsLoaded();

#ifdef _WIN32
// Loads the table from the program's own resources. A missing resource
// raises EResNotFound naming it; the bitmap used for reading is freed
// whatever happens.
void HatchUnitStart();
// Empties the table.
void HatchUnitStop();
// HatchUnitStart's work on the resources of another module (tests).
void LoadHatchPatterns(HINSTANCE module);
#endif
