#pragma once
// The body the two stand-in installers share: a window with a title, a
// detail line and a progress line, and a list of steps run one after the
// other on the window's timer, each after its own delay, so the window stays
// responsive. After the last step it shows "Kész." for a while and ends.
//
// Demo log: "done" after the last step, "error <text>" when a step fails (the
// rest are skipped), and "end done|failed|cancelled" (cancelled: the window
// was closed before the steps were through).

#include <functional>
#include <string>
#include <vector>

namespace demo {

struct Step {
  std::wstring progress;               // shown while the step waits for its turn
  int delayMs;                         // the wait before it runs
  std::function<std::wstring()> run;   // an error text (Hungarian), or empty
};

struct StepProgram {
  const wchar_t* name;         // in the demo log
  const wchar_t* windowClass;
  std::wstring title;          // window caption and first line
  std::wstring detail;         // second line
  int stayOpenMs;              // after the last step, and after a failure
  int exitCode;                // when all steps succeeded
};

// Returns the exit code: `exitCode`, 1 if cancelled, 2 if a step failed or
// the window could not be created.
int RunSteps(const StepProgram& program, std::vector<Step> steps);

}  // namespace demo
