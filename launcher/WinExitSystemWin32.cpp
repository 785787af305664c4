// The real system calls of TWinExit.
#include <windows.h>

#include "launcher/WinExit.h"
#include "framework/WinText.h"

namespace {

class TWin32ExitSystem : public TWinExitSystem {
public:
  uint32_t PlatformId() override {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    return info.dwPlatformId;
  }

  bool OpenOwnToken(uintptr_t& token) override {
    HANDLE h = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &h)) return false;
    token = reinterpret_cast<uintptr_t>(h);
    return true;
  }

  bool LookupPrivilege(const std::string& name, uint64_t& luid) override {
    LUID value{};
    if (!LookupPrivilegeValueW(nullptr, Wide(name).c_str(), &value)) return false;
    luid = (static_cast<uint64_t>(static_cast<uint32_t>(value.HighPart)) << 32) | value.LowPart;
    return true;
  }

  bool AdjustPrivilege(uintptr_t token, uint64_t luid, uint32_t attributes) override {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid.LowPart = static_cast<DWORD>(luid & 0xFFFFFFFFu);
    privileges.Privileges[0].Luid.HighPart = static_cast<LONG>(luid >> 32);
    privileges.Privileges[0].Attributes = attributes;
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    return AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &privileges, sizeof previous,
                                 &previous, &returned) != FALSE;
  }

  void CloseToken(uintptr_t token) override { CloseHandle(reinterpret_cast<HANDLE>(token)); }

  bool RequestExit(uint32_t flags, uint32_t reserved) override { return ExitWindowsEx(flags, reserved) != FALSE; }

  uint32_t LastErrorCode() override { return GetLastError(); }
};

}  // namespace

TWinExitSystem& PlatformWinExitSystem() {
  static TWin32ExitSystem system;
  return system;
}
