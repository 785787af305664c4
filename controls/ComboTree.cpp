#include "controls/ComboTree.h"

#include "controls/StructCombo.h"
#include "framework/WinText.h"

const TClassInfo& TComboTree::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComboTree>("TComboTree", &TTreeView::StaticClassInfo()).Build();
  return info;
}

TComboTree::TComboTree(TStructCombo* combo) : TTreeView(combo), Combo(combo) {}

TComboTree::~TComboTree() {
  if (Combo) Combo->TreeDestroyed(this);
}

void TComboTree::CreateParams(TCreateParams& p) {
  TTreeView::CreateParams(p);
  if (Combo) p.Caption = Wide(Combo->Name());
}

void TComboTree::WindowCreated() {
  TTreeView::WindowCreated();
  if (Combo) Combo->TreeWindowMade();
}

void TComboTree::PlaceUnderCombo() {
  if (!Combo || !Parent() || !Combo->Parent()) return;
  POINT corner = Combo->Parent()->ClientToScreen(POINT{Combo->Left(), Combo->Top() + Combo->Height()});
  POINT p = Parent()->ScreenToClient(corner);
  if (Combo->Alignment() != taLeftJustify) p.x += Combo->Width() - Width();
  SetBounds(p.x, p.y, Width(), Height());
}

void TComboTree::VisibleChanged() {
  PlaceUnderCombo();
  TTreeView::VisibleChanged();
  // Above every other control of the form while it is open.
  if (Visible() && HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TComboTree::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = TTreeView::WndProc(message, wParam, lParam);
  if (Combo) {
    if (message == WM_KILLFOCUS) Combo->TreeFocusLost(reinterpret_cast<HWND>(wParam));
    else if (message == WM_DESTROY) Combo->TreeNodesGone();
  }
  return r;
}
