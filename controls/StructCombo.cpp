#include "controls/StructCombo.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/ComboTree.h"
#include "controls/DropButton.h"
#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/ClassRegistry.h"
#include "framework/CustomForm.h"

const TClassInfo& TStructCombo::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TStructCombo> b("TStructCombo", &TWinControl::StaticClassInfo());
    b.Creatable()
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true)
        .Enum<TAlignment>("Alignment", AlignmentInfo(), &TPanel::Alignment, &TPanel::SetAlignment, taCenter)
        .Str("Caption", &TControl::Caption, &TControl::SetCaption, std::string())
        .Object("Font", &TControl::Font)
        .Stored(&TControl::IsFontStored)
        .Color("ParentNodeColor", &TStructCombo::ParentNodeColor, &TStructCombo::SetParentNodeColor, 0x000080)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Int("ObjectIndex", &TStructCombo::ObjectIndex, &TStructCombo::SetObjectIndex)
        .Event("OnChange", &TStructCombo::OnChange)
        .Event("OnCloseUp", &TStructCombo::OnCloseUp)
        .Int("TreeHeight", &TStructCombo::TreeHeight, &TStructCombo::SetTreeHeight)
        .Int("TreeIndent", &TStructCombo::TreeIndent, &TStructCombo::SetTreeIndent, 20)
        .Int("TreeMaxWidth", &TStructCombo::TreeMaxWidth, &TStructCombo::SetTreeMaxWidth);
    return b.Build();
  }();
  return info;
}

void StructComboUnitStart() { TClassRegistry::Instance().Register(TStructCombo::StaticClassInfo()); }

TStructCombo::TStructCombo(TComponent* owner) : TPanel(owner) {
  SetBounds(Left(), Top(), 100, 20);
  SetAlignment(taLeftJustify);
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  SetColor(clWindow);
  SetTabStop(true);

  dropButton_ = new TDropButton(this);
  dropButton_->SetMargin(-1);
  dropButton_->SetLayout(blGlyphTop);
  dropButton_->SetNumGlyphs(1);
  dropButton_->SetParent(this);
  LayoutButton();
  dropButton_->OnClick = TNotifyEvent::Of<&TStructCombo::ToggleTree>(this);

  tree_ = new TComboTree(this);
  tree_->SetAutoExpand(false);
  tree_->SetFlat(true);
  tree_->SetBounds(0, 0, Width(), 4 * Height());
  tree_->SetVisible(false);
  tree_->SetReadOnly(true);
  tree_->SetHotTrack(true);
  tree_->SetDoubleClicks(false);
  tree_->OnKeyDown = TKeyEvent::Of<&TStructCombo::TreeKeyDown>(this);
  tree_->OnMouseDown = TMouseEvent::Of<&TStructCombo::TreeMouseDown>(this);
  tree_->OnCustomDrawItem = TTVCustomDrawItemEvent::Of<&TStructCombo::TreeCustomDraw>(this);
  tree_->OnExit = TNotifyEvent::Of<&TStructCombo::TreeExit>(this);
  tree_->OnEnter = TNotifyEvent::Of<&TStructCombo::TreeEnter>(this);
  tree_->OnChange = TTVChangedEvent::Of<&TStructCombo::TreeChange>(this);
}

TStructCombo::~TStructCombo() {
  Unhook();
  if (TComboTree* tree = tree_) {
    // Nothing of the tree reaches this half-destroyed combo any more.
    tree_ = nullptr;
    tree->Combo = nullptr;
    tree->OnExit = TNotifyEvent();
    tree->OnEnter = TNotifyEvent();
    tree->OnChange = TTVChangedEvent();
    tree->OnCustomDrawItem = TTVCustomDrawItemEvent();
    TComponent::Free(tree);
  }
  TDropButton* button = dropButton_;
  dropButton_ = nullptr;
  TComponent::Free(button);
}

void TStructCombo::TreeDestroyed(TComboTree* tree) {
  if (tree != tree_) return;
  Unhook();
  tree_ = nullptr;
  entryNodes_.clear();
  open_ = false;
}

void TStructCombo::CreateParams(TCreateParams& p) {
  TPanel::CreateParams(p);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStructCombo::WindowCreated() {
  TPanel::WindowCreated();
  dropButton_->SetGlyphName("DROPBUTTON12");
  if (tree_ && !tree_->Parent()) {
    tree_->SetVisible(false);
    GiveTreeItsParent();
    if (items_.Count() > 0 && tree_->NodeCount() == 0) Rebuild();
  }
}

void TStructCombo::TreeWindowMade() {
  if (rebuilding_ || !tree_ || tree_->NodeCount() > 0 || items_.Count() == 0) return;
  Rebuild();
  const int i = items_.IndexOfObject(objectIndex_);
  if (objectIndex_ < 0 || i < 0 || static_cast<size_t>(i) >= entryNodes_.size() || !entryNodes_[static_cast<size_t>(i)])
    return;
  TTreeNode* node = entryNodes_[static_cast<size_t>(i)];
  node->MakeVisible();
  tree_->SetSelected(node);  // the choice stays: a hidden tree raises no change
}

void TStructCombo::GiveTreeItsParent() {
  TCustomForm* form = ParentForm(this);
  if (!tree_ || !form || tree_->Parent()) return;
  tree_->SetParent(form);
  tree_->PlaceUnderCombo();
}

// --- the tree's contents ----------------------------------------------------

void TStructCombo::SetItems(const TStringList& items) {
  items_.Assign(items);
  Rebuild();
}

void TStructCombo::Rebuild() {
  entryNodes_.assign(static_cast<size_t>(items_.Count()), nullptr);
  if (!tree_) return;
  // The tree's window may be made from here (by its first node): that is
  // no window made anew.
  struct TGuard {
    bool& flag;
    bool old;
    explicit TGuard(bool& f) : flag(f), old(f) { flag = true; }
    ~TGuard() { flag = old; }
  } guard(rebuilding_);
  GiveTreeItsParent();
  // Without a form the tree cannot exist yet: it is built when the combo's
  // window is made.
  if (!tree_->Parent()) return;
  tree_->SetIndent(treeIndent_);
  tree_->SetFlat(true);
  tree_->ClearNodes();
  entryNodes_.assign(static_cast<size_t>(items_.Count()), nullptr);
  if (items_.Count() == 0) return;

  tree_->BeginUpdate();
  try {
    TTreeNode* latest[4] = {};  // the most recent node of each level
    for (int i = 0; i < items_.Count(); ++i) {
      const std::string& entry = items_.Strings(i);
      if (entry.empty()) break;  // the end of the list
      size_t level = entry.find_first_not_of('_');
      if (level == std::string::npos) level = entry.size();
      std::string caption = entry.substr(level);
      if (level > 3) level = 0;
      TTreeNode* parent = level > 0 ? latest[level - 1] : nullptr;
      TTreeNode* node = tree_->AddChild(parent, caption, items_.Objects(i));
      latest[level] = node;
      entryNodes_[static_cast<size_t>(i)] = node;
    }
  } catch (...) {
    tree_->EndUpdate();
    throw;
  }
  tree_->EndUpdate();
  SizeTree();
}

void TStructCombo::SizeTree() {
  TTreeNode* first = tree_->FirstNode();
  if (!first) return;
  int indent = tree_->Indent();
  int widest = 0;
  HDC dc = CreateCompatibleDC(nullptr);
  {
    TCanvas canvas(dc);
    canvas.Font().Assign(GetFont());
    for (int i = 0; i < tree_->NodeCount(); ++i) {
      TTreeNode* n = tree_->Node(i);
      canvas.Font().SetStyle(n->HasChildren() ? TFontStyles{fsBold} : TFontStyles{});
      widest = std::max(widest, (n->Level() + 1) * indent + canvas.TextWidth(n->Text()));
    }
  }
  DeleteDC(dc);
  int width = widest + GetSystemMetrics(SM_CXVSCROLL) + 10;
  if (treeMaxWidth_ > 0 && treeMaxWidth_ < width) width = treeMaxWidth_;
  if (tree_->Width() < width) tree_->SetWidth(width);  // the tree never shrinks

  tree_->SetTopItem(first);
  // The row pitch the window draws with: a node's rectangle can be a pixel
  // short of it, and the tree would show one row less.
  int height = (tree_->NodeCount() + 1) * tree_->ItemHeight();
  if (treeHeight_ > 0 && treeHeight_ < height) height = treeHeight_;
  usedTreeHeight_ = height;
  tree_->SetHeight(height);
}

void TStructCombo::SetObjectIndex(int32_t value) {
  if (value == objectIndex_) return;
  objectIndex_ = value;
  int i = items_.IndexOfObject(value);
  // An entry the build did not reach has no node: it counts as absent.
  TTreeNode* node = nullptr;
  if (i >= 0 && static_cast<size_t>(i) < entryNodes_.size()) node = entryNodes_[static_cast<size_t>(i)];
  bool treeReady = tree_ && tree_->Parent();
  if (i < 0 || (treeReady && !node)) {
    objectIndex_ = -1;
    if (treeReady) tree_->SetSelected(nullptr);
    SetCaption("");
    if (OnChange) OnChange(this);
    return;
  }
  if (!treeReady) return;
  if (!node->HasChildren()) SetCaption(node->Text());
  node->MakeVisible();
  tree_->SetSelected(node);
}

void TStructCombo::SetParentNodeColor(TColor value) {
  parentNodeColor_ = value;
  if (tree_) tree_->Invalidate();
}

// --- opening and closing ----------------------------------------------------

void TStructCombo::ToggleTree(TObject*) {
  if (!tree_ || !Enabled() || items_.Count() == 0) return;
  if (!tree_->Parent()) GiveTreeItsParent();
  if (!tree_->Parent()) return;
  if (!tree_->Visible()) {
    open_ = true;
    tree_->SetVisible(true);
    tree_->SetFocus();  // the choice does not change
  } else {
    tree_->SetVisible(false);
    CloseTree();
  }
}

void TStructCombo::CloseTree() {
  if (CanFocus() && HandleAllocated()) SetFocus();  // the tree's exit closes it
  if (open_ || hooked_) TreeExit(tree_);            // the focus could not come here
}

void TStructCombo::TreeEnter(TObject*) {
  if (hooked_ || !Application) return;
  Application->AddMessageHook(TMessageEvent::Of<&TStructCombo::MessageHook>(this));
  hooked_ = true;
}

void TStructCombo::Unhook() {
  if (!hooked_) return;
  hooked_ = false;
  if (Application) Application->RemoveMessageHook(TMessageEvent::Of<&TStructCombo::MessageHook>(this));
}

bool TStructCombo::Dying() const {
  TCustomForm* form = ParentForm(this);
  return Destroying() || (form && form->Destroying());
}

void TStructCombo::TreeExit(TObject*) {
  Unhook();
  if (!open_) return;
  open_ = false;
  if (Dying()) return;
  if (tree_) {
    tree_->SetVisible(false);
    // A hidden window may keep the focus: give it to the form.
    if (tree_->HandleAllocated() && GetFocus() == tree_->Handle()) {
      if (TCustomForm* form = ParentForm(tree_)) ::SetFocus(form->Handle());
    }
  }
  if (OnCloseUp) OnCloseUp(this);
}

void TStructCombo::TreeFocusLost(HWND next) {
  // Within the form the control that takes the focus reports the exit; the
  // focus going anywhere else (another window, the form itself) closes here.
  TWinControl* target = TWinControl::FromHandle(next);
  TCustomForm* form = tree_ ? ParentForm(tree_) : nullptr;
  if (target && form && target != form && ParentForm(target) == form) return;
  TreeExit(tree_);
}

void TStructCombo::MessageHook(MSG& msg, bool& handled) {
  switch (msg.message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
      break;
    default:
      return;
  }
  if (!open_ || !tree_ || !tree_->HandleAllocated()) return;
  // Non-client messages carry screen coordinates, the others the client
  // coordinates of their window.
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  bool client = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
  if (client && msg.hwnd) ::ClientToScreen(msg.hwnd, &p);
  RECT r;
  GetWindowRect(tree_->Handle(), &r);
  if (PtInRect(&r, p)) return;
  CloseTree();
  handled = true;  // the click acts on nothing else
}

// --- the tree's events ------------------------------------------------------

void TStructCombo::Choose(TTreeNode* node) {
  SetCaption(node->Text());
  objectIndex_ = static_cast<int32_t>(node->Data);
  CloseTree();
}

void TStructCombo::TreeKeyDown(TObject*, uint16_t& Key, TShiftState) {
  if (!tree_) return;
  TTreeNode* node = tree_->Selected();
  switch (Key) {
    case VK_RETURN:
    case VK_SPACE:
      if (!node) break;
      if (!node->HasChildren()) Choose(node);
      else node->SetExpanded(!node->Expanded());
      break;
    case VK_ESCAPE:
      CloseTree();
      break;
    case VK_ADD:
      if (node && node->HasChildren() && node->Expanded()) {
        tree_->FullExpand();
        node->MakeVisible();
      }
      break;
    case VK_SUBTRACT:
      if (node && node->HasChildren() && !node->Expanded()) tree_->FullCollapse();
      else if (node && !node->HasChildren() && node->Parent()) node->Parent()->Collapse(false);
      break;
    default:
      break;
  }
}

void TStructCombo::TreeMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
  if (!tree_) return;
  TTreeNode* node = tree_->GetNodeAt(X, Y);
  // A press on the indentation or the expand button is the tree's own.
  if (!node || X <= (node->Level() + 1) * tree_->Indent()) return;
  if (!node->HasChildren()) Choose(node);
  else node->SetExpanded(!node->Expanded());
}

void TStructCombo::TreeChange(TObject*, TTreeNode* Node) {
  if (!tree_ || !tree_->Visible() || drawing_ || !Node || Node->HasChildren()) return;
  SetCaption(Node->Text());
  objectIndex_ = static_cast<int32_t>(Node->Data);
  Invalidate();
  if (OnChange) OnChange(this);
}

void TStructCombo::TreeCustomDraw(TTreeView* Sender, TTreeNode* Node, TCustomDrawState, bool&) {
  TCanvas* canvas = Sender->Canvas();
  if (!canvas) return;
  drawing_ = true;
  if (Node->HasChildren()) {
    canvas->Brush().SetColor(Sender->Color());
    canvas->Font().SetColor(parentNodeColor_);
    canvas->Font().SetStyle({fsBold});
  } else {
    if (Node->Selected()) {
      canvas->Brush().SetColor(clHighlight);
      canvas->Font().SetColor(clHighlightText);
    } else {
      canvas->Brush().SetColor(Sender->Color());
      canvas->Font().SetColor(Sender->GetFont().Color());
    }
    canvas->Font().SetStyle({});
  }
  drawing_ = false;
}

// --- the combo itself -------------------------------------------------------

void TStructCombo::KeyDown(uint16_t& key, TShiftState shift) {
  if ((key == VK_RETURN || key == VK_SPACE || key == VK_DOWN) && tree_ && !tree_->Visible()) {
    ToggleTree(this);
    key = 0;
    return;
  }
  TPanel::KeyDown(key, shift);
}

void TStructCombo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft) return;
  ToggleTree(this);
  TPanel::MouseDown(button, shift, x, y);
}

LRESULT TStructCombo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = TPanel::WndProc(message, wParam, lParam);
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) Invalidate();  // the focus look
  return r;
}

void TStructCombo::EnabledChanged() {
  // Only the button shows it: the combo keeps its look.
  if (dropButton_) dropButton_->SetEnabled(Enabled());
}

void TStructCombo::VisibleChanged() {
  TPanel::VisibleChanged();
  LayoutButton();
}

void TStructCombo::BoundsChanged() {
  TPanel::BoundsChanged();
  LayoutButton();
}

void TStructCombo::LayoutButton() {
  if (!dropButton_) return;
  int w = GetSystemMetrics(SM_CXVSCROLL);
  dropButton_->SetBounds(Width() - w - 4, 0, w, Height() - 4);
}

void TStructCombo::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  auto bevel = [&](TPanelBevel b) {
    if (b == bvNone) return;
    if (b == bvLowered) canvas.Frame3D(r, clBtnShadow, clBtnHighlight, BevelWidth());
    else canvas.Frame3D(r, clBtnHighlight, clBtnShadow, BevelWidth());
  };
  bevel(BevelOuter());
  canvas.Frame3D(r, Color(), Color(), BorderWidth());
  bevel(BevelInner());
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(r);
  bool focused = Focused();
  if (focused) {
    InflateRect(&r, -1, -1);
    r.right -= dropButton_ ? dropButton_->Width() : 0;
    canvas.Brush().SetColor(clHighlight);
    canvas.FillRect(r);
    InflateRect(&r, 1, 1);
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().Assign(GetFont());
  if (focused) canvas.Font().SetColor(clHighlightText);
  int h = canvas.TextHeight("W");
  r.top = (r.top + r.bottom - h) / 2;
  r.bottom = r.top + h;
  r.left += 4;
  canvas.DrawText(Caption(), r, DT_EXPANDTABS | DT_VCENTER);
}
