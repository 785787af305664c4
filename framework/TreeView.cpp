#include "framework/TreeView.h"

#include <windowsx.h>

#include "framework/Canvas.h"
#include "framework/GdiCache.h"
#include "framework/WinText.h"

const TClassInfo& TTreeView::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TTreeView> b("TTreeView", &TWinControl::StaticClassInfo());
    b.Creatable()
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true)
        .Bool("AutoExpand", &TTreeView::AutoExpand, &TTreeView::SetAutoExpand, false)
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Stored(&TControl::IsColorStored)
        .Object("Font", &TControl::Font)
        .Stored(&TControl::IsFontStored)
        .Bool("HotTrack", &TTreeView::HotTrack, &TTreeView::SetHotTrack, false)
        .Int("Indent", &TTreeView::Indent, &TTreeView::SetIndent, 19)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Bool("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly, false)
        .Bool("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons, true)
        .Bool("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines, true)
        .Bool("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot, true)
        .Event("OnChange", &TTreeView::OnChange)
        .Event("OnCustomDrawItem", &TTreeView::OnCustomDrawItem)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp);
    PublishMouseEvents(b);
    return b.Build();
  }();
  return info;
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TTreeView::~TTreeView() {
  // The window goes while this object is whole: its last notifications still
  // find a tree view.
  DestroyHandle();
}

DWORD TTreeView::TreeStyles() const {
  return (showButtons_ ? TVS_HASBUTTONS : 0) | (showLines_ ? TVS_HASLINES : 0) | (showRoot_ ? TVS_LINESATROOT : 0) |
         (readOnly_ ? 0 : TVS_EDITLABELS) | (hotTrack_ ? TVS_TRACKSELECT : 0) | (autoExpand_ ? TVS_SINGLEEXPAND : 0) |
         TVS_SHOWSELALWAYS | (flat_ ? WS_BORDER : 0);
}

void TTreeView::CreateParams(TCreateParams& p) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)registered;
  TWinControl::CreateParams(p);
  p.SystemClass = WC_TREEVIEWW;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | VisibilityStyles() | (TabStop() ? WS_TABSTOP : 0) | TreeStyles();
  p.ExStyle = flat_ ? 0 : WS_EX_CLIENTEDGE;
}

void TTreeView::WindowCreated() {
  SendTree(TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
  ColorChanged();
}

void TTreeView::ApplyStyles() {
  if (!handle_) return;
  constexpr DWORD kOwn = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_TRACKSELECT |
                         TVS_SINGLEEXPAND | TVS_SHOWSELALWAYS | WS_BORDER;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>((style & ~kOwn) | TreeStyles()));
  auto ex = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  ex = flat_ ? (ex & ~static_cast<DWORD>(WS_EX_CLIENTEDGE)) : (ex | WS_EX_CLIENTEDGE);
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, static_cast<LONG_PTR>(ex));
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TTreeView::ColorChanged() {
  if (handle_) SendTree(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(gdi::ColorToRGB(Color())));
  TWinControl::ColorChanged();
}

int TTreeView::ItemHeight() const { return static_cast<int>(SendTree(TVM_GETITEMHEIGHT, 0, 0)); }

int TTreeView::Indent() const {
  return handle_ ? static_cast<int>(SendTree(TVM_GETINDENT, 0, 0)) : indent_;
}

void TTreeView::SetIndent(int value) {
  indent_ = value;
  if (handle_) SendTree(TVM_SETINDENT, static_cast<WPARAM>(value), 0);
}

LRESULT TTreeView::SendTree(UINT message, WPARAM wParam, LPARAM lParam) const {
  return handle_ ? SendMessageW(handle_, message, wParam, lParam) : 0;
}

TTreeNode* TTreeView::NodeOf(HTREEITEM item, const TTreeView* tree) {
  if (!item) return nullptr;
  TVITEMW it{};
  it.mask = TVIF_PARAM | TVIF_HANDLE;
  it.hItem = item;
  if (!tree->SendTree(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return nullptr;
  return reinterpret_cast<TTreeNode*>(it.lParam);
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::string& text, intptr_t data) {
  HandleNeeded();
  auto owned = std::unique_ptr<TTreeNode>(new TTreeNode(this, parent, text, data));
  TTreeNode* node = owned.get();
  std::wstring wide = Wide(text);
  TVINSERTSTRUCTW ins{};
  ins.hParent = parent ? parent->item_ : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM;
  ins.item.pszText = wide.data();
  ins.item.lParam = reinterpret_cast<LPARAM>(node);
  node->item_ = reinterpret_cast<HTREEITEM>(SendTree(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  if (!node->item_) throw Exception("Cannot add the node \"" + text + "\" to " + Name());
  nodes_.push_back(std::move(owned));
  (parent ? parent->children_ : roots_).push_back(node);
  return node;
}

void TTreeView::ClearNodes() {
  clearing_ = true;
  SendTree(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  clearing_ = false;
  ForgetNodes();
}

void TTreeView::ForgetNodes() {
  roots_.clear();
  nodes_.clear();
}

int TTreeView::DescendantCount(const TTreeNode* node) const {
  int n = 0;
  for (const TTreeNode* c : node->children_) n += 1 + DescendantCount(c);
  return n;
}

TTreeNode* TTreeView::Node(int absoluteIndex) const {
  if (absoluteIndex < 0 || absoluteIndex >= NodeCount()) return nullptr;
  // Down the tree: skip whole subtrees that end before the index.
  const std::vector<TTreeNode*>* level = &roots_;
  int left = absoluteIndex;
  for (;;) {
    const std::vector<TTreeNode*>* next = nullptr;
    for (TTreeNode* n : *level) {
      if (left == 0) return n;
      int below = DescendantCount(n);
      if (left <= below) {
        --left;
        next = &n->children_;
        break;
      }
      left -= 1 + below;
    }
    if (!next) return nullptr;
    level = next;
  }
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
  TVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  SendTree(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return NodeOf(hit.hItem, this);
}

TTreeNode* TTreeView::Selected() const {
  return NodeOf(reinterpret_cast<HTREEITEM>(SendTree(TVM_GETNEXTITEM, TVGN_CARET, 0)), this);
}

void TTreeView::SetSelected(TTreeNode* node) {
  SendTree(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

void TTreeView::SetTopItem(TTreeNode* node) {
  if (node) SendTree(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node->item_));
}

void TTreeView::FullExpand() {
  for (TTreeNode* r : roots_) r->Expand(true);
}

void TTreeView::FullCollapse() {
  for (TTreeNode* r : roots_) r->Collapse(true);
}

void TTreeView::BeginUpdate() {
  if (updateCount_++ == 0 && handle_) SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
}

void TTreeView::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && handle_) {
    SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
  }
}

bool TTreeView::Notify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case TVN_SELCHANGEDW: {
      auto& nm = reinterpret_cast<NMTREEVIEWW&>(header);
      if (!clearing_ && OnChange) OnChange(this, reinterpret_cast<TTreeNode*>(nm.itemNew.lParam));
      result = 0;
      return true;
    }
    case TVN_ENDLABELEDITW: {
      auto& nm = reinterpret_cast<NMTVDISPINFOW&>(header);
      TTreeNode* node = reinterpret_cast<TTreeNode*>(nm.item.lParam);
      if (!node) node = NodeOf(nm.item.hItem, this);
      result = FALSE;
      if (nm.item.pszText && node) {
        node->text_ = Narrow(nm.item.pszText);
        result = TRUE;
      }
      return true;
    }
    case NM_CUSTOMDRAW:
      result = CustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
      return true;
    default:
      return false;
  }
}

LRESULT TTreeView::CustomDraw(NMTVCUSTOMDRAW& draw) {
  NMCUSTOMDRAW& cd = draw.nmcd;
  if (cd.dwDrawStage == CDDS_PREPAINT) return OnCustomDrawItem ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
  if (cd.dwDrawStage != CDDS_ITEMPREPAINT || !OnCustomDrawItem) return CDRF_DODEFAULT;
  TTreeNode* node = reinterpret_cast<TTreeNode*>(cd.lItemlParam);
  if (!node) return CDRF_DODEFAULT;
  TCustomDrawState state;
  static constexpr std::pair<UINT, TCustomDrawStateFlag> kStates[] = {
      {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed},     {CDIS_DISABLED, cdsDisabled},
      {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused},     {CDIS_DEFAULT, cdsDefault},
      {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked},     {CDIS_INDETERMINATE, cdsIndeterminate}};
  for (const auto& [bit, flag] : kStates)
    if (cd.uItemState & bit) state.Include(flag);

  TCanvas canvas(cd.hdc);
  canvas.Font().Assign(GetFont());
  canvas.Font().SetColor(clNone);  // "not set by the handler": the tree's own colours stay
  canvas.Brush().SetColor(clNone);
  bool defaultDraw = true;
  drawCanvas_ = &canvas;
  try {
    OnCustomDrawItem(this, node, state, defaultDraw);
  } catch (...) {
    drawCanvas_ = nullptr;
    throw;
  }
  drawCanvas_ = nullptr;
  if (!defaultDraw) return CDRF_SKIPDEFAULT;
  if (canvas.Font().Color() != clNone) draw.clrText = gdi::ColorToRGB(canvas.Font().Color());
  if (canvas.Brush().Color() != clNone) draw.clrTextBk = gdi::ColorToRGB(canvas.Brush().Color());
  const TFont &f = canvas.Font(), &t = GetFont();
  if (f.Style() == t.Style() && f.Name() == t.Name() && f.Height() == t.Height() && f.Charset() == t.Charset() &&
      f.Pitch() == t.Pitch())
    return CDRF_DODEFAULT;
  SelectObject(cd.hdc, gdi::Font(canvas.Font()));  // a cached font: the tree view may keep it selected
  return CDRF_NEWFONT;
}

void TTreeView::MouseButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam) {
  MouseDown(button, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

LRESULT TTreeView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      if (!doubleClicks_) {
        LRESULT r = DefaultHandler(WM_LBUTTONDOWN, wParam, lParam);
        MouseButtonDown(mbLeft, wParam, lParam);
        return r;
      }
      DblClick();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // The tree view's own handling runs first: it selects the node, and on
      // a left press it follows the mouse until the button is released.
      LRESULT r = DefaultHandler(message, wParam, lParam);
      MouseButtonDown(message == WM_LBUTTONDOWN ? mbLeft : message == WM_RBUTTONDOWN ? mbRight : mbMiddle, wParam,
                      lParam);
      return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(message == WM_LBUTTONUP ? mbLeft : message == WM_RBUTTONUP ? mbRight : mbMiddle,
              MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return DefaultHandler(message, wParam, lParam);
    case WM_DESTROY: {
      // The window deletes its items now: no change reaches OnChange, and the
      // nodes go with them.
      clearing_ = true;
      LRESULT r = TWinControl::WndProc(message, wParam, lParam);
      clearing_ = false;
      ForgetNodes();
      return r;
    }
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
