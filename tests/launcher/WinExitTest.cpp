// TWinExit through a recording stand-in for the system: the flags of each
// exit kind, the privilege handling around the request on the NT family, the
// failure texts, and what a layout records of the component.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/LayoutWriter.h"
#include "launcher/WinExit.h"

namespace {

// Every call leaves a last-error code, as the system's do: a failing call its
// failure code; a successful privilege change ERROR_NOT_ALL_ASSIGNED (1300)
// or 0, and closing the token 0. So a code read too late is the wrong one.
class TRecordingSystem : public TWinExitSystem {
public:
  uint32_t platform = 2;
  bool openOk = true, lookupOk = true, exitOk = true;
  std::vector<bool> adjustResults;  // consumed one per call; true when empty
  uint32_t failureCode = 0;         // what a failing call leaves
  uint32_t errorCode = 0;
  std::vector<std::string> calls;

  uint32_t PlatformId() override { return platform; }
  bool OpenOwnToken(uintptr_t& token) override {
    calls.push_back("open");
    token = 42;
    return Leave(openOk, 0);
  }
  bool LookupPrivilege(const std::string& name, uint64_t& luid) override {
    calls.push_back("lookup " + name);
    luid = 19;
    return Leave(lookupOk, 0);
  }
  bool AdjustPrivilege(uintptr_t token, uint64_t luid, uint32_t attributes) override {
    calls.push_back("adjust " + std::to_string(token) + " " + std::to_string(luid) + " " +
                    std::to_string(attributes));
    bool r = true;
    if (!adjustResults.empty()) {
      r = adjustResults.front();
      adjustResults.erase(adjustResults.begin());
    }
    return Leave(r, attributes ? 0 : 1300);
  }
  void CloseToken(uintptr_t token) override {
    calls.push_back("close " + std::to_string(token));
    errorCode = 0;
  }
  bool RequestExit(uint32_t flags, uint32_t reserved) override {
    calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reserved));
    return Leave(exitOk, 0);
  }
  uint32_t LastErrorCode() override { return errorCode; }

private:
  bool Leave(bool ok, uint32_t successCode) {
    errorCode = ok ? successCode : failureCode;
    return ok;
  }
};

TEST(WinExit, EachExitKindHasItsFlags) {
  struct Case {
    TWinExitType kind;
    bool force;
    uint32_t flags;
  };
  const Case cases[] = {
      {ewLogoff, false, 0}, {ewReboot, false, 2},  {ewShutDown, false, 1}, {ewPowerOff, false, 8},
      {ewLogoff, true, 4},  {ewReboot, true, 6},   {ewShutDown, true, 5},  {ewPowerOff, true, 12},
  };
  for (const auto& c : cases) {
    TRecordingSystem sys;
    sys.platform = 1;  // no privilege handling: the request alone
    TWinExit exit(nullptr);
    exit.SetSystem(&sys);
    exit.SetExitWinType(c.kind);
    exit.SetUnconditional(c.force);
    EXPECT_EQ(TWinExit::ExitFlags(c.kind, c.force), c.flags);
    EXPECT_TRUE(exit.Execute());
    EXPECT_EQ(sys.calls, std::vector<std::string>{"exit " + std::to_string(c.flags) + " 0"});
    EXPECT_EQ(exit.LastError(), "");
  }
}

TEST(WinExit, OnTheNtFamilyTheShutdownPrivilegeIsHeldOnlyForTheRequest) {
  TRecordingSystem sys;
  TWinExit exit(nullptr);
  exit.SetSystem(&sys);
  exit.SetExitWinType(ewReboot);
  exit.SetUnconditional(true);
  EXPECT_TRUE(exit.Execute());
  EXPECT_EQ(sys.calls, (std::vector<std::string>{"open", "lookup SeShutdownPrivilege", "adjust 42 19 2", "close 42",
                                                 "exit 6 0", "open", "lookup SeShutdownPrivilege",
                                                 "adjust 42 19 0", "close 42"}));
}

TEST(WinExit, FailuresLeaveTheirTextInLastError) {
  struct Case {
    const char* name;
    void (*arrange)(TRecordingSystem&);
    bool result;
    const char* lastError;
    bool exitCalled;
  };
  const Case cases[] = {
      // The privilege is given back after the refusal: its calls change the
      // last error, yet the refusal's code is the one kept.
      {"refused for lack of rights", [](TRecordingSystem& s) { s.exitOk = false; s.failureCode = 5; }, false,
       "Error: 5", true},
      {"token cannot be opened", [](TRecordingSystem& s) { s.openOk = false; s.failureCode = 6; }, false,
       "Error: 6", false},
      {"privilege unknown", [](TRecordingSystem& s) { s.lookupOk = false; s.failureCode = 1313; }, false,
       "Error: 1313", false},
      {"enabling refused", [](TRecordingSystem& s) { s.adjustResults = {false}; s.failureCode = 1314; }, false,
       "Error: 1314", false},
      // Only a failed disabling after an accepted request keeps a named text.
      {"disabling refused", [](TRecordingSystem& s) { s.adjustResults = {true, false}; }, true,
       "Error: AdjustTokenPrivileges", true},
  };
  for (const auto& c : cases) {
    TRecordingSystem sys;
    c.arrange(sys);
    TWinExit exit(nullptr);
    exit.SetSystem(&sys);
    EXPECT_EQ(exit.Execute(), c.result) << c.name;
    EXPECT_EQ(exit.LastError(), c.lastError) << c.name;
    bool exitCalled = false;
    for (const auto& call : sys.calls) exitCalled = exitCalled || call.rfind("exit", 0) == 0;
    EXPECT_EQ(exitCalled, c.exitCalled) << c.name;
  }
}

TEST(WinExit, SetPrivilegeReportsWhichCallFailed) {
  TRecordingSystem sys;
  sys.openOk = false;
  TWinExit exit(nullptr);
  exit.SetSystem(&sys);
  EXPECT_FALSE(exit.SetPrivilege("SeShutdownPrivilege", true));
  EXPECT_EQ(exit.LastError(), "Error: OpenProcessToken");
  sys.openOk = true;
  sys.adjustResults = {false};
  EXPECT_FALSE(exit.SetPrivilege("SeShutdownPrivilege", true));
  EXPECT_EQ(exit.LastError(), "Error: AdjustTokenPrivileges");
}

TEST(WinExit, ALayoutRecordsTheKindWheneverItIsNotReboot) {
  TComponent root(nullptr);
  root.SetName("Form");
  auto* exit = new TWinExit(&root);
  exit->SetName("WinExit");
  // A new instance starts at ewLogoff, which is not the declared default.
  EXPECT_EQ(exit->ExitWinType(), ewLogoff);
  EXPECT_FALSE(exit->Unconditional());
  EXPECT_EQ(TLayoutWriter::Write(root),
            "object Form: TComponent\n  object WinExit: TWinExit\n    ExitWinType = ewLogoff\n  end\nend\n");
  exit->SetExitWinType(ewReboot);
  exit->SetUnconditional(true);
  EXPECT_EQ(TLayoutWriter::Write(root),
            "object Form: TComponent\n  object WinExit: TWinExit\n    Unconditional = True\n  end\nend\n");
}

TEST(WinExit, WithoutASeamTheRealSystemIsAsked) {
  // Natively every request is refused with access denied; under Wine the
  // real calls run, so only the refusal-free parts are checked there.
  TWinExit exit(nullptr);
#ifndef _WIN32
  EXPECT_FALSE(exit.Execute());
  EXPECT_EQ(exit.LastError(), "Error: 5");
#else
  EXPECT_TRUE(exit.SetPrivilege("SeShutdownPrivilege", false));
#endif
}

}  // namespace
