#include "framework/UnitTrace.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
TUnitTraceSink Sink = nullptr;
}

void UnitTrace(const std::string& line) {
#ifdef _WIN32
  OutputDebugStringA(line.c_str());
#endif
  if (Sink) Sink(line);
}

TUnitTraceSink SetUnitTraceSink(TUnitTraceSink sink) {
  TUnitTraceSink previous = Sink;
  Sink = sink;
  return previous;
}
