#include "launcher/WinExit.h"

namespace {

TWinExitSystem* defaultSystem = nullptr;

}  // namespace

const TEnumInfo& WinExitTypeInfo() {
  static const TEnumInfo info("TWinExitType", {"ewLogoff", "ewReboot", "ewShutDown", "ewPowerOff"});
  return info;
}

const TClassInfo& TWinExit::StaticClassInfo() {
  // ExitWinType declares ewReboot as its default although a new instance
  // starts at ewLogoff: a layout records the property whenever it is not
  // ewReboot.
  static const TClassInfo info =
      TClassBuilder<TWinExit>("TWinExit", &TComponent::StaticClassInfo())
          .Creatable()
          .Enum<TWinExitType>("ExitWinType", WinExitTypeInfo(), &TWinExit::ExitWinType, &TWinExit::SetExitWinType,
                              ewReboot)
          .Str("LastError", &TWinExit::LastError, nullptr)
          .Bool("Unconditional", &TWinExit::Unconditional, &TWinExit::SetUnconditional, false)
          .Build();
  return info;
}

TWinExit::TWinExit(TComponent* owner) : TComponent(owner), system_(defaultSystem) {}

void TWinExit::SetDefaultSystem(TWinExitSystem* system) { defaultSystem = system; }

TWinExitSystem& TWinExit::System() const { return system_ ? *system_ : PlatformWinExitSystem(); }

uint32_t TWinExit::ExitFlags(TWinExitType kind, bool unconditional) {
  uint32_t flags = 0;
  switch (kind) {
    case ewLogoff: flags = EWX_LOGOFF_FLAG; break;
    case ewReboot: flags = EWX_REBOOT_FLAG; break;
    case ewShutDown: flags = EWX_SHUTDOWN_FLAG; break;
    case ewPowerOff: flags = EWX_POWEROFF_FLAG; break;
  }
  if (unconditional) flags |= EWX_FORCE_FLAG;
  return flags;
}

bool TWinExit::Execute() {
  const uint32_t flags = ExitFlags(exitKind_, force_);
  TWinExitSystem& sys = System();
  bool result = false;
  // The code of the call that failed, read at once: the calls after it
  // (closing the token, giving the privilege back) set codes of their own.
  uint32_t errorCode = 0;
  if (sys.PlatformId() == 2) {
    if (SetPrivilege("SeShutdownPrivilege", true)) {
      result = sys.RequestExit(flags, 0);
      if (!result) errorCode = sys.LastErrorCode();
      SetPrivilege("SeShutdownPrivilege", false);
    } else {
      errorCode = privilegeError_;
    }
  } else {
    result = sys.RequestExit(flags, 0);
    if (!result) errorCode = sys.LastErrorCode();
  }
  if (!result) lastError_ = "Error: " + std::to_string(errorCode);
  return result;
}

bool TWinExit::SetPrivilege(const std::string& name, bool enable) {
  TWinExitSystem& sys = System();
  uintptr_t token = 0;
  if (!sys.OpenOwnToken(token)) {
    privilegeError_ = sys.LastErrorCode();
    lastError_ = "Error: OpenProcessToken";
    return false;
  }
  uint64_t luid = 0;
  if (!sys.LookupPrivilege(name, luid)) {
    privilegeError_ = sys.LastErrorCode();
    sys.CloseToken(token);
    return false;
  }
  bool result = sys.AdjustPrivilege(token, luid, enable ? SE_PRIVILEGE_ENABLED_FLAG : 0);
  // A success in which the privilege was not assigned (ERROR_NOT_ALL_ASSIGNED,
  // seen only in the error code) still counts as success.
  if (!result) {
    privilegeError_ = sys.LastErrorCode();
    lastError_ = "Error: AdjustTokenPrivileges";
  }
  sys.CloseToken(token);
  return result;
}
