#include "framework/Application.h"

#include <algorithm>
#include <cstdio>

#include "framework/MessageDlg.h"
#include "framework/Picture.h"
#include "framework/StandardClasses.h"
#include "framework/UnitTrace.h"
#include "framework/WinText.h"

TApplication* Application = nullptr;

namespace {

constexpr UINT kReleaseForm = WM_APP + 0x100;
const wchar_t kAppClass[] = L"TApplication";

}  // namespace

void StartFramework() {
  RegisterStandardClasses();
  RegisterLinkedPictureFormats();
  if (!Application) Application = new TApplication(nullptr);
  UnitTrace("Framework: started");
}

void StopFramework() {
  TApplication* app = Application;
  TComponent::Free(app);
  Application = nullptr;
  UnregisterPictureFormats();
  UnitTrace("Framework: stopped");
}

void HandleUnexpectedException(const std::exception* e) {
  if (Application) {
    try {
      Application->HandleException(e);
      return;
    } catch (...) {
      // fall through to the error output
    }
  }
  std::fprintf(stderr, "Unhandled exception: %s\n", e ? e->what() : "(unknown)");
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
  // The forms go first, while the window that owns theirs still exists.
  FreeForms();
  if (handle_) DestroyWindow(handle_);
}

void TApplication::FreeForms() {
  while (ComponentCount() > 0) TComponent::Free(Components(ComponentCount() - 1));
}

void TApplication::Initialize() {
  if (handle_) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{sizeof wc};
  if (!GetClassInfoExW(instance, kAppClass, &wc)) {
    wc = WNDCLASSEXW{sizeof wc};
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, L"MAINICON");
    // The small icon is the same one: left out, the system would make a scaled
    // copy from the resource at every registration (milliseconds under Wine).
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kAppClass;
    RegisterClassExW(&wc);
  }
  if (title_.empty()) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    title_ = Narrow(name);
  }
  handle_ = CreateWindowExW(0, kAppClass, Wide(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                            nullptr, instance, nullptr);
  if (handle_) SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, Wide(title_).c_str());
}

void TApplication::FormCreated(TCustomForm* form) {
  if (!mainForm_) mainForm_ = form;
}

void TApplication::Run() {
  if (mainForm_ && ShowMainForm) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  quitPosted_ = true;
  PostQuitMessage(0);
}

void TApplication::HandleMessage() {
  MSG msg;
  BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return;
  }
  ProcessMessage(msg);
  // A modal loop of the system that ran inside this message can take the
  // quit message and drop it (Wine's menu loop does, when the main form is
  // closed while a menu is open): then the loop ends all the same.
  if (quitPosted_ && !terminated_ && !PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
    terminated_ = true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      continue;
    }
    ProcessMessage(msg);
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  try {
    if (RunMessageHooks(msg)) return true;
    if (HandleDialogKeys(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  } catch (const std::exception& e) {
    HandleUnexpectedException(&e);
  } catch (...) {
    HandleUnexpectedException(nullptr);
  }
  return true;
}

void TApplication::AddMessageHook(TMessageEvent hook) {
  if (hook && !HasMessageHook(hook)) messageHooks_.push_back(hook);
}

void TApplication::RemoveMessageHook(TMessageEvent hook) {
  auto it = std::find(messageHooks_.begin(), messageHooks_.end(), hook);
  if (it != messageHooks_.end()) messageHooks_.erase(it);
}

bool TApplication::HasMessageHook(TMessageEvent hook) const {
  return std::find(messageHooks_.begin(), messageHooks_.end(), hook) != messageHooks_.end();
}

bool TApplication::RunMessageHooks(MSG& msg) {
  if (messageHooks_.empty()) return false;
  // The hooks may add and remove hooks: go round a copy, and call each only
  // while it is still there.
  std::vector<TMessageEvent> hooks = messageHooks_;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    if (!HasMessageHook(*it)) continue;
    bool handled = false;
    (*it)(msg, handled);
    if (handled) return true;
  }
  return false;
}

bool TApplication::HandleDialogKeys(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(top));
  if (!form) return false;
  if (form->UsesDialogNavigation()) return IsDialogMessageW(top, &msg);
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
      GetKeyState(VK_MENU) >= 0) {
    LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
    // The focus may be in a window inside a control (a combo's edit part):
    // Tab moves on from that control.
    TWinControl* current = nullptr;
    for (HWND w = msg.hwnd; w && w != top && !current; w = GetParent(w)) current = TWinControl::FromHandle(w);
    form->SelectNext(current, GetKeyState(VK_SHIFT) >= 0);
    return true;
  }
  return false;
}

void TApplication::HandleException(const std::exception* e) {
  if (OnException) {
    OnException(this, e);
    return;
  }
  std::string text = e ? e->what() : "Unknown error";
  if (auto* ex = dynamic_cast<const Exception*>(e)) text = ex->Message();
  MessageDlg(text, mtError, TMsgDlgButtons{mbOK}, 0);
}

void TApplication::MainFormShowing(bool showing) {
  if (handle_) ShowWindow(handle_, showing ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_HIDE);
  if (handle_) ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (handle_) ShowWindow(handle_, SW_RESTORE);
  if (mainForm_ && mainForm_->Visible() && mainForm_->HandleAllocated()) {
    ShowWindow(mainForm_->Handle(), SW_SHOW);
    SetForegroundWindow(mainForm_->Handle());
  }
}

void TApplication::FormActivated(TCustomForm* form) { activeForm_ = form; }

void TApplication::FormDestroyed(TCustomForm* form) {
  if (activeForm_ == form) activeForm_ = nullptr;
  if (mainForm_ == form) mainForm_ = nullptr;
  std::erase(released_, form);
}

void TApplication::Release(TCustomForm* form) {
  if (!handle_) {
    TComponent::Free(form);
    return;
  }
  if (std::find(released_.begin(), released_.end(), form) != released_.end()) return;
  released_.push_back(form);
  PostMessageW(handle_, kReleaseForm, 0, reinterpret_cast<LPARAM>(form));
}

LRESULT CALLBACK TApplication::AppWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!app) return DefWindowProcW(window, message, wParam, lParam);
  try {
    switch (message) {
      case kReleaseForm: {
        // Only a form still waiting: one freed meanwhile has left the list.
        auto* form = reinterpret_cast<TCustomForm*>(lParam);
        auto it = std::find(app->released_.begin(), app->released_.end(), form);
        if (it != app->released_.end()) {
          app->released_.erase(it);
          TComponent::Free(form);
        }
        return 0;
      }
      case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
          case SC_MINIMIZE: app->Minimize(); return 0;
          case SC_RESTORE: app->Restore(); return 0;
          case SC_CLOSE:
            if (app->mainForm_) app->mainForm_->Close();
            return 0;
          default: break;
        }
        break;
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(window)) {
          TCustomForm* f = app->activeForm_ ? app->activeForm_ : app->mainForm_;
          if (f && f->HandleAllocated() && IsWindowVisible(f->Handle()) && IsWindowEnabled(f->Handle())) {
            SetActiveWindow(f->Handle());
            return 0;
          }
        }
        break;
      case WM_CLOSE:
        if (app->mainForm_) app->mainForm_->Close();
        return 0;
      default:
        break;
    }
  } catch (const std::exception& e) {
    HandleUnexpectedException(&e);
    return 0;
  } catch (...) {
    HandleUnexpectedException(nullptr);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
