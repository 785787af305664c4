// A test variant of the launcher program: the same entry and forms, with
//  - the session-exit calls recorded instead of made: every call of TWinExit's
//    system goes to "exit-probe.log" beside the program (one line per call,
//    tab-separated), and the exit request is accepted without ending anything
//    (or, with "/refuse-exit", refused with access denied);
//  - "/show-info": the set-up information window shown from the start;
//  - "/no-ticks": Timer1 never ticks while the set-up runs, so that only the
//    look after the set-up has ended can find its "Path" value;
//  - "/tutorials" or "/videos" on the command line: the hidden tutorial (or
//    video) group of the menu shown, so that its entries can be clicked.
// Only the end-to-end tests use it, on their own copy of the medium.
#include <windows.h>

#include <string>

#include "launcher/FrSetInf.h"
#include "launcher/LauncherPlatform.h"
#include "launcher/StartupProgram.h"
#include "launcher/WinExit.h"
#include "launcher/frStartup.h"

namespace {

bool HasSwitch(const wchar_t* name) { return wcsstr(GetCommandLineW(), name) != nullptr; }

class TRecordingExitSystem : public TWinExitSystem {
public:
  uint32_t PlatformId() override { return Real().PlatformId(); }
  bool OpenOwnToken(uintptr_t& token) override { return Real().OpenOwnToken(token); }
  bool LookupPrivilege(const std::string& name, uint64_t& luid) override {
    Record("lookup\t" + name);
    return Real().LookupPrivilege(name, luid);
  }
  bool AdjustPrivilege(uintptr_t token, uint64_t luid, uint32_t attributes) override {
    Record("privilege\t" + std::to_string(attributes));
    return Real().AdjustPrivilege(token, luid, attributes);
  }
  void CloseToken(uintptr_t token) override { Real().CloseToken(token); }
  bool RequestExit(uint32_t flags, uint32_t reserved) override {
    Record("exit\t" + std::to_string(flags) + "\t" + std::to_string(reserved));
    if (!HasSwitch(L"/refuse-exit")) return true;
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  uint32_t LastErrorCode() override { return Real().LastErrorCode(); }

private:
  static TWinExitSystem& Real() { return PlatformWinExitSystem(); }
  static void Record(const std::string& line) {
    const std::wstring path = ProgramFolder() + L"exit-probe.log";
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }
};

TRecordingExitSystem RecordingSystem;

void Prepare() {
  TFrmStartup* f = FrmStartup;
  if (HasSwitch(L"/no-ticks")) f->Timer1->SetInterval(24 * 3600 * 1000);
  if (HasSwitch(L"/show-info")) frmSetupInfo->Show();
  if (HasSwitch(L"/tutorials")) {
    for (TControl* c : std::initializer_list<TControl*>{f->Shape1, f->Label10, f->Label6, f->Label1, f->Label2,
                                                        f->Label3, f->Label4, f->Label5})
      c->Show();
  }
  if (HasSwitch(L"/videos")) {
    for (TControl* c : std::initializer_list<TControl*>{f->Shape3, f->Label8, f->Label14}) c->Hide();
    for (TControl* c :
         std::initializer_list<TControl*>{f->Shape2, f->Label15, f->Label16, f->Label11, f->Label12, f->Label13})
      c->Show();
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  DisableInputMethods();
  TWinExit::SetDefaultSystem(&RecordingSystem);
  return RunStartupProgram(&Prepare);
}
