#include "StepRunner.h"

#include <windows.h>

#include <algorithm>

#include "DemoLog.h"
#include "Paths.h"
#include "StatusWindow.h"

namespace demo {

namespace {

constexpr UINT_PTR kStepTimer = 1;

class Runner {
 public:
  Runner(const StepProgram& program, std::vector<Step> steps) : p_(program), steps_(std::move(steps)) {
    steps_.push_back({L"Kész.", 0, [this] {
                        Log(p_.name, L"done");
                        outcome_ = L"done";
                        exitCode_ = p_.exitCode;
                        return std::wstring();
                      }});
  }

  int Run() {
    if (!window_.Create(p_.windowClass, p_.title, 560, 170)) {
      Log(p_.name, L"error", L"window: " + ErrorText(GetLastError()));
      Log(p_.name, L"end", L"failed");
      return 2;
    }
    window_.SetLines({p_.title, p_.detail, L""});
    window_.onTimer = [this](UINT_PTR) { RunNext(); };
    window_.onCloseRequest = [this] {
      if (outcome_.empty()) {
        outcome_ = L"cancelled";
        exitCode_ = 1;
      }
      window_.Close(exitCode_);
      return false;
    };
    Schedule();
    const int code = RunMessageLoop();
    Log(p_.name, L"end", outcome_.empty() ? L"cancelled" : outcome_);
    return code;
  }

 private:
  void Schedule() {
    int delay = p_.stayOpenMs;  // after the last step: stay open, then end
    if (next_ < steps_.size()) {
      window_.SetLine(2, steps_[next_].progress);
      delay = steps_[next_].delayMs;
    }
    SetTimer(window_.Handle(), kStepTimer, static_cast<UINT>(std::max(delay, 1)), nullptr);
  }

  void RunNext() {
    KillTimer(window_.Handle(), kStepTimer);
    if (window_.Destroyed()) return;
    if (next_ >= steps_.size()) {
      window_.Close(exitCode_);
      return;
    }
    const std::wstring error = steps_[next_++].run();
    if (!error.empty()) {
      Log(p_.name, L"error", error);
      outcome_ = L"failed";
      exitCode_ = 2;
      next_ = steps_.size();
      window_.SetLines({p_.title, L"Hiba: " + error, L"A telepítés megszakadt."});
    }
    Schedule();
  }

  const StepProgram& p_;
  std::vector<Step> steps_;
  StatusWindow window_;
  size_t next_ = 0;
  std::wstring outcome_;
  int exitCode_ = 0;
};

}  // namespace

int RunSteps(const StepProgram& program, std::vector<Step> steps) {
  Runner runner(program, std::move(steps));
  return runner.Run();
}

}  // namespace demo
