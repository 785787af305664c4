#pragma once
// The figures of the swap-file benchmark, each a ratio against a baseline of
// the same run, with the goal it is held to.

#include <cstdio>
#include <map>
#include <string>

struct TBenchResult {
  double ItemsPerSecond = 0;
  double BytesPerSecond = 0;
  double NsPerIteration = 0;     // wall-clock
  double CpuNsPerIteration = 0;  // processor time of the process; 0 when not measured
};

using TBenchResults = std::map<std::string, TBenchResult>;

// Prints the table of figures (markdown) for the results found; returns the
// number of goals missed.
int PrintRatioTable(const TBenchResults& Results, std::FILE* Out);
