#pragma once
// Traces of the program's start and stop. Each unit of the program reports in
// one line when it has started and when it has stopped ("Swapfile: started",
// "Swapfile: stopped"), and the program's start-up reports a unit that failed
// to start. The lines go to the system's debug output (OutputDebugString on
// Windows, where a debugger or a debug-output viewer reads them; nowhere
// natively) and to the sink set in the process, if any.

#include <string>

void UnitTrace(const std::string& line);

using TUnitTraceSink = void (*)(const std::string& line);
// Sets the process's sink (nullptr for none); returns the previous one.
TUnitTraceSink SetUnitTraceSink(TUnitTraceSink sink);
