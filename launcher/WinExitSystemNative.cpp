// Natively there is no session to end: every request is refused.
#include <cerrno>

#include "launcher/WinExit.h"

namespace {

class TNoExitSystem : public TWinExitSystem {
public:
  uint32_t PlatformId() override { return 0; }
  bool OpenOwnToken(uintptr_t&) override { return false; }
  bool LookupPrivilege(const std::string&, uint64_t&) override { return false; }
  bool AdjustPrivilege(uintptr_t, uint64_t, uint32_t) override { return false; }
  void CloseToken(uintptr_t) override {}
  bool RequestExit(uint32_t, uint32_t) override { return false; }
  uint32_t LastErrorCode() override { return 5; }  // access denied
};

}  // namespace

TWinExitSystem& PlatformWinExitSystem() {
  static TNoExitSystem system;
  return system;
}
