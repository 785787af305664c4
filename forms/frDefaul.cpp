#include "forms/frDefaul.h"

#include <string>

#include "controls/ComboTree.h"
#include "controls/SajatCom.h"
#include "controls/StructCombo.h"
#include "forms/FormPlacement.h"
#include "forms/InterfaceSettings.h"
#include "forms/PositionRecord.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/IniFile.h"
#include "framework/Label.h"
#include "framework/TreeView.h"

namespace {

const char kFormsSection[] = "Forms";

// The kinds a rule applies to, one entry per kind: each entry acts on a
// component of its kind and says whether it was one.
using TKindRule = bool (*)(TComponent* component, TCustomForm* form);

template <class T>
bool NoTypingPause(TComponent* c, TCustomForm*) {
  auto* t = dynamic_cast<T*>(c);
  if (t) t->SetWaitingTime(0);
  return t != nullptr;
}

// The typed controls whose reflection after a typing pause the form switches
// off: it reflects on Enter and on leaving the control only.
const TKindRule kTypingPauseKinds[] = {
    &NoTypingPause<TTmrEdit>,
    &NoTypingPause<TTmrSpinEdit>,
    &NoTypingPause<TTmrCombo>,
};

template <class T>
bool CentralEuropean(TComponent* c, TCustomForm*) {
  auto* t = dynamic_cast<T*>(c);
  if (t) t->Font()->SetCharset(EASTEUROPE_CHARSET_VALUE);
  return t != nullptr;
}

// The controls whose texts the character-set switch reaches, in the order
// they are tried (a component takes the first kind it is).
const TKindRule kCharsetKinds[] = {
    &CentralEuropean<TLabel>,
    &CentralEuropean<TButton>,
    &CentralEuropean<TEdit>,  // edit boxes, memos, spin edits, the typed edits
    &CentralEuropean<TComboBox>,  // the typed combo too
    &CentralEuropean<TStructCombo>,
    &CentralEuropean<TTreeView>,
};

template <class T>
bool Is(const TControl* c) {
  return dynamic_cast<const T*>(c) != nullptr;
}

// The controls that use Esc themselves: with one of them focused, Esc does
// not press the form's cancel button.
bool (*const kOwnEscKinds[])(const TControl*) = {
    &Is<TTmrEdit>,
    &Is<TTmrSpinEdit>,
    &Is<TComboTree>,  // a structured combo's open tree: Esc closes it
};

bool ApplyFirst(const TKindRule* begin, const TKindRule* end, TComponent* c, TCustomForm* form) {
  for (auto* rule = begin; rule != end; ++rule) {
    if ((*rule)(c, form)) return true;
  }
  return false;
}

bool IsSpecialInsertAfter(HWND a) {
  return a == HWND_TOP || a == HWND_BOTTOM || a == HWND_TOPMOST || a == HWND_NOTOPMOST;
}

}  // namespace

const TClassInfo& TfrmDefault::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmDefault>("TfrmDefault", &TForm::StaticClassInfo())
                                     .Layout("TFRMDEFAULT")
                                     .Method<&TfrmDefault::FormShow>("FormShow")
                                     .Method<&TfrmDefault::FormHide>("FormHide")
                                     .Method<&TfrmDefault::FormClose>("FormClose")
                                     .Method<&TfrmDefault::FormKeyDown>("FormKeyDown")
                                     .Build();
  return info;
}

TfrmDefault::TfrmDefault(TComponent* owner) : TForm(owner) {}

void TfrmDefault::DoCreate() {
  if (OldCreateOrder()) TForm::DoCreate();
  ApplyDefaultFont(0);
  for (int i = 0; i < ComponentCount(); ++i)
    ApplyFirst(std::begin(kTypingPauseKinds), std::end(kTypingPauseKinds), Components(i), this);
  // The application's icon: every form of the framework shows it already, its
  // window class's.
  FCreationPending = true;
  if (HandleAllocated()) PostMessageW(handle_, WM_KORVEX_CREATIONDONE, 0, 0);
  else HandleNeeded();  // WindowCreated posts it
  if (!OldCreateOrder()) TForm::DoCreate();
}

void TfrmDefault::WindowCreated() {
  TForm::WindowCreated();
  // A message posted to an earlier window of this form went with it.
  if (FCreationPending) PostMessageW(handle_, WM_KORVEX_CREATIONDONE, 0, 0);
}

void TfrmDefault::ApplyDefaultFont(uint8_t kind) {
  FFontKind = kind;
  const TInterfaceFont& f = InterfaceSettings.Font;
  TFont* font = Font();
  font->SetCharset(f.Charset);
  font->SetColor(f.Color);
  font->SetHeight(f.Height);
  font->SetName(f.Name.substr(0, 60));
  font->SetPitch(f.Pitch);
  font->SetStyle(f.Style);
}

void TfrmDefault::SetPositionSlot(int32_t slot) {
  FPositionSlot = slot;
  RestorePosition();
}

void TfrmDefault::DoShow() {
  TForm::DoShow();
  PostMessageW(Handle(), WM_KORVEX_SHOWDONE, 0, 0);
}

void TfrmDefault::FormShow(TObject*) {
  RestorePosition();
  if (FRestorePointer) {
    GetCursorPos(&FSavedPointer);
    FPointerSaved = true;
  }
  SwitchCharsets();
}

void TfrmDefault::FormHide(TObject*) {
  if (FPositionSlot > 0) SavePosition();
}

void TfrmDefault::FormClose(TObject*, TCloseAction&) {
  if (FRestorePointer && FPointerSaved) SetCursorPos(FSavedPointer.x, FSavedPointer.y);
}

void TfrmDefault::FormKeyDown(TObject*, uint16_t& Key, TShiftState) {
  if (Key != VK_ESCAPE) return;
  TWinControl* focused = TWinControl::FromHandle(GetFocus());
  if (!focused || ParentForm(focused) != this) focused = ActiveControl();
  if (focused) {
    for (auto* ownEsc : kOwnEscKinds) {
      if (ownEsc(focused)) return;
    }
  }
  // Names are unique among a form's components: at most one button is
  // pressed, and nothing of the form is used after its click.
  auto* cancel = dynamic_cast<TButton*>(FindComponent("btnCancel"));
  if (cancel && cancel->Name() == "btnCancel") cancel->Click();
}

void TfrmDefault::SwitchCharsets() {
  if (InterfaceSettings.LanguageCode != kCentralEuropeanLanguage) return;
  for (int i = 0; i < ComponentCount(); ++i)
    ApplyFirst(std::begin(kCharsetKinds), std::end(kCharsetKinds), Components(i), this);
}

void TfrmDefault::VisibleChanged() {
  TForm::VisibleChanged();
  if (Visible() && HandleAllocated() && IsWindowVisible(handle_) && FPointerToForm) MovePointerOntoForm();
}

void TfrmDefault::MovePointerOntoForm() {
  POINT p;
  if (FPointerControl) {
    const TControl* c = FPointerControl;
    POINT centre{c->Left() + c->Width() / 2, c->Top() + c->Height() / 2};
    p = c->Parent() ? c->Parent()->ClientToScreen(centre) : ClientToScreen(centre);
  } else {
    p = ClientToScreen(POINT{Width() / 2, Height() / 2});
  }
  SetCursorPos(p.x, p.y);
}

void TfrmDefault::CenterOnScreen() {
  if (WindowState() != wsNormal) return;
  TRect32 r = placement::Centered(Width(), Height(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TfrmDefault::RestorePosition() {
  TIniFile* store = InterfaceSettings.Store;
  if (FPositionSlot < 1 || !store) return;
  const std::string key = std::to_string(FPositionSlot);
  std::string record;
  if (store->ValueExists(kFormsSection, key)) record = store->ReadString(kFormsSection, key, "");
  posrec::TStoredBounds b = posrec::ReadBounds(record);
  if (record.empty() || b.Empty()) {
    CenterOnScreen();
    SavePosition();
    return;
  }
  switch (posrec::ReadState(record)) {
    case posrec::kMinimized: SetWindowState(wsMinimized); return;
    case posrec::kMaximized: SetWindowState(wsMaximized); return;
    default: break;
  }
  const int w = b.Right - b.Left, h = b.Bottom - b.Top;
  bool sizeable = BorderStyle() == bsSizeable || BorderStyle() == bsSizeToolWin;
  if (sizeable || (w == Width() && h == Height())) {
    SetWindowState(wsNormal);
    SetBounds(b.Left, b.Top, w, h);
  }
  int32_t left = Left(), top = Top();
  int32_t areaW = Parent() ? Parent()->Width() : GetSystemMetrics(SM_CXSCREEN);
  int32_t areaH = Parent() ? Parent()->Height() : GetSystemMetrics(SM_CYSCREEN);
  placement::PullBack(left, top, areaW, areaH, 2 * GetSystemMetrics(SM_CXBORDER));
  if (left != Left() || top != Top()) SetBounds(left, top, Width(), Height());
  // A place saved on a monitor that has gone (or edited by hand) would keep
  // the form out of sight, and every hide would save it again.
  RECT r = BoundsRect();
  if (!Parent() && !MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) CenterOnScreen();
}

void TfrmDefault::UpdateRecord(size_t position, const std::string& text) {
  TIniFile* store = InterfaceSettings.Store;
  const std::string key = std::to_string(FPositionSlot);
  std::string record = store->ReadString(kFormsSection, key, "");
  if (record.empty()) record = store->DefaultRecord();
  store->WriteString(kFormsSection, key, posrec::Overwrite(record, position, text));
}

// Keeping the place is a convenience: a store that cannot be written (a
// read-only folder, a program run from a CD with its settings beside it) must
// not keep the form from showing or hiding, so its failure is dropped here,
// and only here. The writes that got through stay.
void TfrmDefault::SavePosition() {
  if (FPositionSlot < 1 || !InterfaceSettings.Store) return;
  try {
    WritePosition();
  } catch (const EIniFileException&) {
  }
}

void TfrmDefault::WritePosition() {
  TWindowState state = WindowState();
  UpdateRecord(posrec::kStatePos, std::string(1, state == wsMinimized   ? posrec::kMinimized
                                                 : state == wsMaximized ? posrec::kMaximized
                                                                        : posrec::kNormal));
  UpdateRecord(posrec::kBoundsPos, posrec::HexField(Left()) + posrec::HexField(Top()) +
                                       posrec::HexField(Left() + Width()) + posrec::HexField(Top() + Height()));
  UpdateRecord(posrec::kScreenPos,
               posrec::HexField(GetSystemMetrics(SM_CXSCREEN)) + posrec::HexField(GetSystemMetrics(SM_CYSCREEN)));
  HDC screen = GetDC(nullptr);
  int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  UpdateRecord(posrec::kDensityPos, posrec::HexField(ppi));
}

void TfrmDefault::MenuLoopEntered() {
  if (OnFormMenuLoopEnter) OnFormMenuLoopEnter(this);
}

void TfrmDefault::MenuLoopLeft() {
  if (OnFormMenuLoopExit) OnFormMenuLoopExit(this);
}

void TfrmDefault::KeepBelowModalForm(const WINDOWPOS& change) {
  if (change.flags & SWP_NOZORDER) return;
  TCustomForm* modal = Application ? Application->ActiveForm() : nullptr;
  if (!modal || modal == this || !modal->Modal() || !modal->HandleAllocated() || FBringingModalToFront) return;
  HWND m = modal->Handle();
  if (!IsWindowVisible(m)) return;
  // Only top-level windows that the modal form does not own: owned ones stay
  // above it whatever happens, so bringing it forward would start over.
  if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) return;
  for (HWND owner = GetWindow(handle_, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
    if (owner == m) return;
  }
  HWND after = change.hwndInsertAfter;
  if (after == m) return;
  bool belowModal = false;
  if (!IsSpecialInsertAfter(after)) {
    for (HWND w = GetWindow(after, GW_HWNDPREV); w && !belowModal; w = GetWindow(w, GW_HWNDPREV))
      belowModal = w == m;
  }
  if (!belowModal) PostMessageW(handle_, WM_KORVEX_MODALTOFRONT, 0, 0);
}

void TfrmDefault::BringModalFormToFront() {
  TCustomForm* active = Application ? Application->ActiveForm() : nullptr;
  if (!active || !active->HandleAllocated()) return;
  FBringingModalToFront = true;
  SetWindowPos(active->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  FBringingModalToFront = false;
}

LRESULT TfrmDefault::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KORVEX_CREATIONDONE:
      if (FCreationPending) {
        FCreationPending = false;
        CreationDone();
      }
      return 0;
    case WM_KORVEX_SHOWDONE:
      if (FFirstShow) {
        FirstShowDone();
        FFirstShow = false;
      }
      ShowDone();
      return 0;
    case WM_KORVEX_MODALTOFRONT:
      BringModalFormToFront();
      return 0;
    case WM_ERASEBKGND:
      if (!FEraseBackground) return 1;
      break;
    case WM_WINDOWPOSCHANGING:
      KeepBelowModalForm(*reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_ENTERMENULOOP: {
      LRESULT r = TForm::WndProc(message, wParam, lParam);
      MenuLoopEntered();
      return r;
    }
    case WM_EXITMENULOOP: {
      LRESULT r = TForm::WndProc(message, wParam, lParam);  // ends in the system's handling
      MenuLoopLeft();
      return r;
    }
    default:
      break;
  }
  return TForm::WndProc(message, wParam, lParam);
}
