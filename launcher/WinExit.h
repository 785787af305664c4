#pragma once
// TWinExit: ends the Windows session: log off, restart, shut down or power
// off, optionally forcing applications to close (Unconditional). On the NT
// family it enables the shutdown privilege of its own process for the request
// and disables it again afterwards.
//
// Failures are reported only through Execute's result and LastError
// ("Error: " and the system's error code, or the name of the privilege call
// that failed); nothing is shown.
//
// The system calls go through TWinExitSystem, so that tests can watch the
// flags and privilege handling without ending their own session.

#include <cstdint>
#include <string>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"

enum TWinExitType : uint8_t { ewLogoff, ewReboot, ewShutDown, ewPowerOff };

// The system calls TWinExit makes. Handles and privilege identifiers are
// passed as plain integers so the interface needs no system headers.
class TWinExitSystem {
public:
  virtual ~TWinExitSystem() = default;
  // dwPlatformId of GetVersionEx (2: the NT family).
  virtual uint32_t PlatformId() = 0;
  // OpenProcessToken of the current process with TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY.
  virtual bool OpenOwnToken(uintptr_t& token) = 0;
  virtual bool LookupPrivilege(const std::string& name, uint64_t& luid) = 0;
  // AdjustTokenPrivileges with one privilege and the given attributes.
  virtual bool AdjustPrivilege(uintptr_t token, uint64_t luid, uint32_t attributes) = 0;
  virtual void CloseToken(uintptr_t token) = 0;
  virtual bool RequestExit(uint32_t flags, uint32_t reserved) = 0;
  virtual uint32_t LastErrorCode() = 0;
};

// The real system (Windows), or one that refuses everything natively.
TWinExitSystem& PlatformWinExitSystem();

constexpr uint32_t EWX_LOGOFF_FLAG = 0;
constexpr uint32_t EWX_SHUTDOWN_FLAG = 1;
constexpr uint32_t EWX_REBOOT_FLAG = 2;
constexpr uint32_t EWX_FORCE_FLAG = 4;
constexpr uint32_t EWX_POWEROFF_FLAG = 8;
constexpr uint32_t SE_PRIVILEGE_ENABLED_FLAG = 2;

class TWinExit : public TComponent {
public:
  explicit TWinExit(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TWinExitType ExitWinType() const { return exitKind_; }
  void SetExitWinType(TWinExitType value) { exitKind_ = value; }
  bool Unconditional() const { return force_; }
  void SetUnconditional(bool value) { force_ = value; }
  const std::string& LastError() const { return lastError_; }

  // Ends the session as configured; true if the system accepted the request.
  bool Execute();
  // Enables or disables the named privilege of the current process's token.
  bool SetPrivilege(const std::string& name, bool enable);

  // The flags passed to the system for an exit kind.
  static uint32_t ExitFlags(TWinExitType kind, bool unconditional);

  // Replaces the system calls (tests); null restores the real ones. Not owned.
  void SetSystem(TWinExitSystem* system) { system_ = system; }
  // The system calls every new TWinExit uses (tests of a whole program).
  static void SetDefaultSystem(TWinExitSystem* system);

private:
  TWinExitSystem& System() const;

  TWinExitType exitKind_ = ewLogoff;  // a new instance starts with every field zero
  bool force_ = false;
  std::string lastError_;
  uint32_t privilegeError_ = 0;  // system code of SetPrivilege's last failed call
  TWinExitSystem* system_ = nullptr;
};

const TEnumInfo& WinExitTypeInfo();
