#include "framework/ComboBox.h"

#include <windowsx.h>

#include <exception>

#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/CustomForm.h"
#include "framework/EnumInfo.h"
#include "framework/WinText.h"

namespace {

const wchar_t kEditProp[] = L"KorvexComboEdit";

// Counts how deep a handling is nested while it is alive.
struct TDepth {
  int& depth;
  explicit TDepth(int& d) : depth(d) { ++depth; }
  ~TDepth() { --depth; }
  TDepth(const TDepth&) = delete;
  TDepth& operator=(const TDepth&) = delete;
};

// Owner-drawn combos are told apart in WM_MEASUREITEM by their identifier.
UINT_PTR NextComboId() {
  static UINT_PTR next = 0x6000;
  return next++;
}

std::wstring WindowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

}  // namespace

LRESULT CALLBACK ComboEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* combo = static_cast<TComboBox*>(GetPropW(window, kEditProp));
  if (!combo) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return combo->EditMessage(window, message, wParam, lParam);
  } catch (const std::exception& e) {
    HandleUnexpectedException(&e);
  } catch (...) {
    HandleUnexpectedException(nullptr);
  }
  return 0;
}

const TEnumInfo& ComboBoxStyleInfo() {
  static const TEnumInfo info("TComboBoxStyle",
                              {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
  return info;
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TComboBox> b("TComboBox", &TWinControl::StaticClassInfo());
    b.Creatable()
        .Enum<TComboBoxStyle>("Style", ComboBoxStyleInfo(), &TComboBox::Style, &TComboBox::SetStyle, csDropDown)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true)
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Stored(&TControl::IsColorStored)
        .Int("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount, 8)
        .Object("Font", &TControl::Font)
        .Stored(&TControl::IsFontStored)
        .Int("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight, 16)
        .Int("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength, 0)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Str("Text", &TComboBox::Text, &TComboBox::SetText, std::string())
        .Event("OnChange", &TComboBox::OnChange)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnDrawItem", &TComboBox::OnDrawItem)
        .Event("OnDropDown", &TComboBox::OnDropDown)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnMeasureItem", &TComboBox::OnMeasureItem);
    return b.Build();
  }();
  return info;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), id_(NextComboId()) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TComboBox::~TComboBox() { DestroyHandle(); }

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS};
  p.SystemClass = L"ComboBox";
  p.Caption.clear();
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | VisibilityStyles() | (TabStop() ? WS_TABSTOP : 0) |
            CBS_AUTOHSCROLL | kStyles[style_];
  p.Height = DroppedHeight();
  p.Id = id_;
}

int TComboBox::DroppedHeight() const {
  if (style_ == csSimple) return height_;
  return height_ + itemHeight_ * dropDownCount_ + 2;
}

void TComboBox::WindowCreated() {
  TWinControl::WindowCreated();
  for (const TItem& item : items_) {
    LRESULT i = SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item.Text).c_str()));
    if (i >= 0) SendMessageW(handle_, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(item.Data));
  }
  SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (OwnerDrawn()) SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
  if (style_ == csOwnerDrawFixed) SendMessageW(handle_, CB_SETITEMHEIGHT, 0, itemHeight_);
  if (itemIndex_ >= 0) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  if (HasEditPart() && itemIndex_ < 0) SetWindowTextW(handle_, Wide(Caption()).c_str());
  AttachEditPart();
  RECT r;
  GetWindowRect(handle_, &r);
  height_ = r.bottom - r.top;  // the closed control's, as the system made it
}

void TComboBox::AttachEditPart() {
  COMBOBOXINFO info{sizeof info};
  if (!HasEditPart() || !GetComboBoxInfo(handle_, &info) || !info.hwndItem) return;
  edit_ = info.hwndItem;
  SetPropW(edit_, kEditProp, this);
  editProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboEditProc)));
}

void TComboBox::RecreateWindow() {
  if (!handle_) return;
  itemIndex_ = ItemIndex();
  DestroyHandle();
  HandleNeeded();
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  RecreateWindow();
}

void TComboBox::SetDropDownCount(int value) {
  dropDownCount_ = value < 1 ? 1 : value;
  if (handle_) SetBounds(left_, top_, width_, height_);
}

void TComboBox::SetItemHeight(int value) {
  itemHeight_ = value < 1 ? 1 : value;
  if (handle_ && style_ == csOwnerDrawFixed) {
    SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    SendMessageW(handle_, CB_SETITEMHEIGHT, 0, itemHeight_);
  }
}

void TComboBox::SetMaxLength(int value) {
  maxLength_ = value < 0 ? 0 : value;
  if (handle_) SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  if (handle_ && Parent())
    SetWindowPos(handle_, nullptr, left_, top_, width_, DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  clicked_ = false;
  TWinControl::MouseUp(button, shift, x, y);
}

int TComboBox::AddItem(const std::string& text, intptr_t data) {
  items_.push_back(TItem{text, data});
  if (handle_) {
    LRESULT i = SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    if (i >= 0) SendMessageW(handle_, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(data));
  }
  return ItemCount() - 1;
}

void TComboBox::SetItemData(int index, intptr_t data) {
  items_.at(static_cast<size_t>(index)).Data = data;
  if (handle_) SendMessageW(handle_, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}

void TComboBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  if (handle_) SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
  if (!HasEditPart()) SetText(std::string());
}

int TComboBox::ItemIndex() const {
  if (handle_) return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  itemIndex_ = index;
  if (handle_) {
    SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    CopyTextFromWindow();
  } else {
    copyingText_ = true;
    SetCaption(index >= 0 ? Item(index) : std::string());
    copyingText_ = false;
  }
}

void TComboBox::SetText(const std::string& text) { SetCaption(text); }

void TComboBox::TextChanged() {
  if (copyingText_) return;
  if (HasEditPart()) {
    if (handle_) SetWindowTextW(handle_, Wide(Caption()).c_str());
    return;
  }
  // A fixed list shows only its items.
  int found = -1;
  for (int i = 0; i < ItemCount() && found < 0; ++i)
    if (Item(i) == Caption()) found = i;
  SetItemIndex(found);
}

void TComboBox::CopyTextFromWindow() {
  if (!handle_) return;
  copyingText_ = true;
  try {
    SetCaption(Narrow(WindowText(handle_)));
  } catch (...) {
    copyingText_ = false;
    throw;
  }
  copyingText_ = false;
}

bool TComboBox::DroppedDown() const {
  return handle_ && SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool value) { SendMessageW(Handle(), CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0); }

int TComboBox::SelStart() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(handle_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TComboBox::SelLength() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(handle_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TComboBox::SetSelection(int start, int length) {
  if (!handle_) return;
  const int end = length < 0 ? -1 : start + length;
  SendMessageW(handle_, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

HWND TComboBox::EditHandle() const { return edit_; }

HWND TComboBox::ListHandle() const {
  COMBOBOXINFO info{sizeof info};
  if (!handle_ || !GetComboBoxInfo(handle_, &info)) return nullptr;
  return info.hwndList;
}

bool TComboBox::FocusInside() const {
  if (!handle_) return false;
  HWND focus = GetFocus();
  return focus && (focus == handle_ || focus == edit_ || focus == ListHandle());
}

LRESULT TComboBox::EditPerform(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!edit_ || !editProc_) return 0;
  return CallWindowProcW(editProc_, edit_, message, wParam, lParam);
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TComboBox::DoPaste() { EditPerform(WM_PASTE, 0, 0); }

void TComboBox::Undo() {
  if (edit_) SendMessageW(edit_, EM_UNDO, 0, 0);
}

void TComboBox::CommandNotify(WORD code) {
  switch (code) {
    case CBN_SELCHANGE: {
      // The edit part shows the chosen item only after this notification.
      const int index = ItemIndex();
      if (index >= 0 && index < ItemCount()) {
        copyingText_ = true;
        SetCaption(Item(index));
        copyingText_ = false;
      }
      Click();
      Change();
      break;
    }
    case CBN_EDITCHANGE:
      if (undoDepth_ > 0) {
        undoChanged_ = true;  // raised once the undo is over
        break;
      }
      CopyTextFromWindow();
      Change();
      break;
    case CBN_DROPDOWN:
      DropDown();
      break;
    case CBN_CLOSEUP:
      CloseUp();
      break;
    default:
      break;
  }
}

void TComboBox::DrawItemNotify(const DRAWITEMSTRUCT& item) {
  TCanvas canvas(item.hDC);
  canvas.Font().Assign(GetFont());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  if (item.itemState & ODS_SELECTED) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  const int index = static_cast<int>(item.itemID);
  if (index >= 0) DrawItem(canvas, index, item.rcItem, item.itemState);
  else canvas.FillRect(item.rcItem);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void TComboBox::DrawItem(TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, canvas, index, rect, state);
    return;
  }
  canvas.FillRect(rect);
  if (index < ItemCount()) canvas.TextOut(rect.left + 2, rect.top, Item(index));
}

void TComboBox::MeasureItemNotify(MEASUREITEMSTRUCT& item) {
  int height = itemHeight_;
  if (style_ == csOwnerDrawVariable && static_cast<int>(item.itemID) >= 0)
    MeasureItem(static_cast<int>(item.itemID), height);
  item.itemHeight = static_cast<UINT>(height < 1 ? 1 : height);
}

void TComboBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

LRESULT TComboBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(wParam)));
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      LRESULT r = TWinControl::WndProc(message, wParam, lParam);
      TShiftState shift = MouseShiftState(wParam);
      int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      TMouseButton button = (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? mbRight : mbLeft;
      if (message == WM_LBUTTONDBLCLK) {
        DblClick();
        shift.Include(ssDouble);
      }
      if (message == WM_LBUTTONUP || message == WM_RBUTTONUP) MouseUp(button, shift, x, y);
      else MouseDown(button, shift, x, y);
      return r;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
      // The edit part hands keys on from inside its own handling of them
      // (Enter and Escape while the list is open): the events were raised
      // for the edit part's key already; the system's combo still acts on it.
      if (editKeyDepth_ > 0) return DefaultHandler(message, wParam, lParam);
      break;
    case WM_DESTROY:
      itemIndex_ = static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
      break;
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

LRESULT TComboBox::EditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: {
      if (!DispatchKeyMessage(message, wParam)) return 0;
      TDepth inKey(editKeyDepth_);
      return CallWindowProcW(editProc_, edit, message, wParam, lParam);
    }
    case EM_UNDO:
    case WM_UNDO: {
      // The system may report one undo as more than one change (the text
      // replaced, then the selection restored): the owner hears of it once.
      if (undoDepth_ == 0) undoChanged_ = false;
      LRESULT r;
      {
        TDepth inUndo(undoDepth_);
        r = CallWindowProcW(editProc_, edit, message, wParam, lParam);
      }
      if (undoDepth_ == 0 && undoChanged_) {
        undoChanged_ = false;
        CopyTextFromWindow();
        Change();
      }
      return r;
    }
    case WM_PASTE:
      DoPaste();
      return 0;
    case WM_SETFOCUS: {
      LRESULT r = CallWindowProcW(editProc_, edit, message, wParam, lParam);
      if (TCustomForm* form = ParentForm(this)) form->FocusChanged(this);
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      LRESULT r = CallWindowProcW(editProc_, edit, message, wParam, lParam);
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      MapWindowPoints(edit, handle_, &p, 1);
      TShiftState shift = MouseShiftState(wParam);
      TMouseButton button = (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? mbRight : mbLeft;
      if (message == WM_LBUTTONDBLCLK) {
        DblClick();
        shift.Include(ssDouble);
      }
      if (message == WM_LBUTTONUP || message == WM_RBUTTONUP) MouseUp(button, shift, p.x, p.y);
      else MouseDown(button, shift, p.x, p.y);
      return r;
    }
    case WM_NCDESTROY: {
      WNDPROC proc = editProc_;
      RemovePropW(edit, kEditProp);
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
      edit_ = nullptr;
      editProc_ = nullptr;
      return CallWindowProcW(proc, edit, message, wParam, lParam);
    }
    default:
      break;
  }
  return CallWindowProcW(editProc_, edit, message, wParam, lParam);
}
