#include "tasks/CursorHintWindow.h"

#include <algorithm>
#include <vector>

#include "forms/frchint.h"
#include "framework/Application.h"
#include "tasks/TaskManager.h"
#include "tasks/TaskPlatformWin32.h"
#include "tasks/TasksUnit.h"

namespace {

// Hint forms handed over to the main form and not freed yet. A modal loop of
// the system (a menu's, a message box's) dispatches the release message
// straight to the main form, past the application's message hook, so such a
// form would stay: the next hand-over, and the unit's stop, free what is left.
std::vector<TfrmCursorHint*>& HandedOver() {
  static std::vector<TfrmCursorHint*> forms;
  return forms;
}

void FreeHandedOver() {
  std::vector<TfrmCursorHint*> forms;
  forms.swap(HandedOver());
  for (TfrmCursorHint* form : forms) TComponent::Free(form);
}

}  // namespace

TCursorHintWindow* TCursorHintWindow::Create(TComponent* hostForm) {
  TfrmCursorHint* form = TCustomForm::Create<TfrmCursorHint>(nullptr);
  form->FPointerToForm = false;
  form->SetVisible(false);
  if (auto* parent = dynamic_cast<TWinControl*>(hostForm)) form->SetParent(parent);
  return new TCursorHintWindow(form);
}

TCursorHintWindow::TCursorHintWindow(TfrmCursorHint* form) : TComponent(form), form_(form) {}

TCursorHintWindow::~TCursorHintWindow() {
  auto& forms = HandedOver();
  forms.erase(std::remove(forms.begin(), forms.end(), form_), forms.end());
  NotifyDestroyed();
}

void TCursorHintWindow::SetHintText(const std::string& text) { form_->SetHintText(text); }
const std::string& TCursorHintWindow::HintText() const { return form_->HintText(); }
int TCursorHintWindow::HintLineCount() const { return form_->HintLineCount(); }
bool TCursorHintWindow::Visible() const { return form_->Visible(); }
void TCursorHintWindow::SetVisible(bool visible) { form_->SetVisible(visible); }

TPixelRect TCursorHintWindow::Bounds() const {
  const RECT r = form_->BoundsRect();
  return {r.left, r.top, r.right, r.bottom};
}

void TCursorHintWindow::MoveTo(int32_t left, int32_t top) {
  // The form fixes its own size to the text whenever its bounds are set.
  form_->SetBounds(left, top, form_->Width(), form_->Height());
}

TPixelRect TCursorHintWindow::ParentClientRect() const {
  if (TWinControl* parent = form_->Parent()) return {0, 0, parent->ClientWidth(), parent->ClientHeight()};
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TPixelPoint TCursorHintWindow::ScreenToParent(TPixelPoint p) const {
  TWinControl* parent = form_->Parent();
  if (!parent) return p;
  const POINT c = parent->ScreenToClient(POINT{p.X, p.Y});
  return {c.x, c.y};
}

bool TCursorHintWindow::ScreenPointInClient(TPixelPoint p) const {
  const POINT c = form_->ScreenToClient(POINT{p.X, p.Y});
  return c.x >= 0 && c.y >= 0 && c.x < form_->ClientWidth() && c.y < form_->ClientHeight();
}

void TCursorHintWindow::Close() {
  // Once the message loop has ended a closed form would wait for it forever:
  // free it at once.
  if (!Application || Application->Terminated() || TaskUnitClosing()) {
    TComponent::Free(form_);  // frees this adapter too
    return;
  }
  form_->Close();
}

bool TCursorHintWindow::HandOver() {
  if (!Application || Application->Terminated() || TaskUnitClosing()) return false;
  TCustomForm* main = Application->MainForm();
  if (!main || !main->HandleAllocated() || main == form_) return false;
  FreeHandedOver();
  form_->SetVisible(false);
  form_->SetParent(main);
  if (!PostMessageW(main->Handle(), WM_CURSORHINT_RELEASE, reinterpret_cast<WPARAM>(form_->Handle()), 0))
    return false;
  HandedOver().push_back(form_);
  return true;
}

bool ReleaseHandedOverHint(UINT message, WPARAM wParam) {
  if (message != WM_CURSORHINT_RELEASE) return false;
  auto* form = dynamic_cast<TfrmCursorHint*>(TWinControl::FromHandle(reinterpret_cast<HWND>(wParam)));
  if (form) TComponent::Free(form);
  return true;
}

namespace {

TCursorHint* MakeHint(TComponent* hostForm) { return TCursorHintWindow::Create(hostForm); }

bool HandOverHint(TCursorHint* hint) {
  auto* window = dynamic_cast<TCursorHintWindow*>(hint);
  return window && window->HandOver();
}

// The main form's side of the hand-over, for every main form: a hook of the
// application's message loop.
class TReleaseHook : public TObject {
public:
  void Message(MSG& msg, bool& handled) {
    if (msg.message != WM_CURSORHINT_RELEASE || !Application) return;
    TCustomForm* main = Application->MainForm();
    if (!main || !main->HandleAllocated() || msg.hwnd != main->Handle()) return;
    handled = ReleaseHandedOverHint(msg.message, msg.wParam);
  }
};

TReleaseHook releaseHook;

void HintsOff() {
  FreeHandedOver();
  if (Application) Application->RemoveMessageHook(TMessageEvent::Of<&TReleaseHook::Message>(&releaseHook));
}

}  // namespace

void UseCursorHintWindows() {
  TWin32TaskPlatform& platform = Win32TaskPlatform();
  platform.HintFactory = &MakeHint;
  platform.HintHandOver = &HandOverHint;
  platform.HintsOff = &HintsOff;
  if (Application) Application->AddMessageHook(TMessageEvent::Of<&TReleaseHook::Message>(&releaseHook));
}
