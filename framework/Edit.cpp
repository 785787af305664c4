#include "framework/Edit.h"

#include <windowsx.h>

#include "framework/WinText.h"

namespace {

std::wstring WindowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

}  // namespace

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TEdit> b("TEdit", &TWinControl::StaticClassInfo());
    b.Creatable()
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true)
        .Bool("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect, true)
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Stored(&TControl::IsColorStored)
        .Object("Font", &TControl::Font)
        .Stored(&TControl::IsFontStored)
        .Int("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength, 0)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Bool("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly, false)
        .Str("Text", &TEdit::Text, &TEdit::SetText, std::string())
        .Event("OnChange", &TEdit::OnChange)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp);
    return b.Build();
  }();
  return info;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

void TEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = L"Edit";
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | VisibilityStyles() | (TabStop() ? WS_TABSTOP : 0) |
            ES_LEFT | ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
  p.ExStyle = WS_EX_CLIENTEDGE;
}

void TEdit::WindowCreated() {
  SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_ > 0 ? maxLength_ : 0), 0);
  SendMessageW(handle_, EM_SETMODIFY, modified_ ? TRUE : FALSE, 0);
  ApplyMargins(EC_LEFTMARGIN | EC_RIGHTMARGIN);
}

void TEdit::ApplyMargins(WPARAM which) {
  if (!handle_) return;
  if (leftMargin_ < 0) which &= ~static_cast<WPARAM>(EC_LEFTMARGIN);
  if (rightMargin_ < 0) which &= ~static_cast<WPARAM>(EC_RIGHTMARGIN);
  if (which == 0) return;
  SendMessageW(handle_, EM_SETMARGINS, which,
               MAKELPARAM(leftMargin_ < 0 ? 0 : leftMargin_, rightMargin_ < 0 ? 0 : rightMargin_));
}

void TEdit::SetLeftMargin(int pixels) {
  leftMargin_ = pixels < 0 ? 0 : pixels;
  ApplyMargins(EC_LEFTMARGIN);
}

void TEdit::SetRightMargin(int pixels) {
  rightMargin_ = pixels < 0 ? 0 : pixels;
  ApplyMargins(EC_RIGHTMARGIN);
}

void TEdit::FontChanged() {
  TWinControl::FontChanged();
  ApplyMargins(EC_LEFTMARGIN | EC_RIGHTMARGIN);  // a new font resets the window's margins
}

LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PASTE:
      DoPaste();
      return 0;
    case WM_CUT:
      DoCut();
      return 0;
    case EM_UNDO:
    case WM_UNDO: {
      // The system may report one undo as two changes (the text replaced,
      // then the selection restored): the owner hears of it once.
      if (undoing_) break;
      undoing_ = true;
      undoChanged_ = false;
      LRESULT r;
      try {
        r = TWinControl::WndProc(message, wParam, lParam);
      } catch (...) {
        undoing_ = false;
        throw;
      }
      undoing_ = false;
      if (undoChanged_) {
        undoChanged_ = false;
        CopyTextFromWindow();
        Change();
      }
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      // The window handles the mouse first (caret, selection, capture);
      // then the events.
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
    case WM_DESTROY:
      modified_ = SendMessageW(handle_, EM_GETMODIFY, 0, 0) != 0;
      break;
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

void TEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if ((key == VK_INSERT || key == VK_DELETE) && shift == TShiftState{ssShift}) {
    UINT message = key == VK_INSERT ? WM_PASTE : WM_CUT;
    key = 0;
    if (handle_) SendMessageW(handle_, message, 0, 0);
  }
}

void TEdit::CommandNotify(WORD code) {
  if (code != EN_CHANGE) return;
  if (undoing_) {
    undoChanged_ = true;  // raised once the undo is over
    return;
  }
  CopyTextFromWindow();
  Change();
}

void TEdit::CopyTextFromWindow() {
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

void TEdit::TextChanged() {
  if (copyingText_) return;  // the window holds it already
  TWinControl::TextChanged();
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::DoPaste() {
  if (handle_) DefaultHandler(WM_PASTE, 0, 0);
}

void TEdit::DoCut() {
  if (handle_) DefaultHandler(WM_CUT, 0, 0);
}

void TEdit::DoEnter() {
  if (autoSelect_ && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  TWinControl::DoEnter();
}

void TEdit::SetMaxLength(int value) {
  maxLength_ = value < 0 ? 0 : value;
  if (handle_) SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (handle_) SendMessageW(handle_, EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

bool TEdit::Modified() const {
  if (handle_) return SendMessageW(handle_, EM_GETMODIFY, 0, 0) != 0;
  return modified_;
}

void TEdit::SetModified(bool value) {
  modified_ = value;
  if (handle_) SendMessageW(handle_, EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

int TEdit::SelStart() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TEdit::SelLength() const {
  if (!handle_) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TEdit::SetSelStart(int value) {
  if (handle_) SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(value), value);
}

void TEdit::SetSelLength(int value) {
  if (!handle_) return;
  int start = SelStart();
  SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(start), start + (value < 0 ? 0 : value));
}

std::string TEdit::SelText() const {
  if (!handle_) return std::string();
  DWORD start = 0, end = 0;
  SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::wstring text = WindowText(handle_);
  if (start >= text.size() || end <= start) return std::string();
  return Narrow(std::wstring_view(text).substr(start, end - start));
}

void TEdit::SetSelText(const std::string& text) {
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

void TEdit::SelectAll() {
  if (handle_) SendMessageW(handle_, EM_SETSEL, 0, -1);
}

bool TEdit::CanUndo() const { return handle_ && SendMessageW(handle_, EM_CANUNDO, 0, 0) != 0; }

void TEdit::Undo() {
  if (handle_) SendMessageW(handle_, EM_UNDO, 0, 0);
}

void TEdit::ClearSelection() {
  if (handle_) SendMessageW(handle_, WM_CLEAR, 0, 0);
}

void TEdit::CopyToClipboard() {
  if (handle_) SendMessageW(handle_, WM_COPY, 0, 0);
}

void TEdit::CutToClipboard() { SendMessageW(Handle(), WM_CUT, 0, 0); }

void TEdit::PasteFromClipboard() { SendMessageW(Handle(), WM_PASTE, 0, 0); }
