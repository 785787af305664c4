#include "framework/WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>

#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/Cp1250.h"
#include "framework/CustomForm.h"
#include "framework/GdiCache.h"
#include "framework/GraphicControl.h"
#include "framework/WinText.h"

namespace {

const wchar_t kControlProp[] = L"KorvexControl";

void RegisterOwnClass(const std::wstring& name, UINT style);

}  // namespace

TWinControl* TWinControl::creating_ = nullptr;

LRESULT CALLBACK StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = TWinControl::FromHandle(window);
  if (!control) {
    if (message == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      control = static_cast<TWinControl*>(cs->lpCreateParams);
      if (control) {
        SetPropW(window, kControlProp, control);
        control->handle_ = window;
      }
    }
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return control->Dispatch(message, wParam, lParam);
  } catch (const std::exception& e) {
    HandleUnexpectedException(&e);
  } catch (...) {
    HandleUnexpectedException(nullptr);
  }
  return 0;
}

namespace {

void RegisterOwnClass(const std::wstring& name, UINT style) {
  WNDCLASSEXW existing{sizeof existing};
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name.c_str(), &existing)) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.style = style;
  wc.lpfnWndProc = StdWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  // The small icon is the same one: left out, the system would make a scaled
  // copy from the resource at every registration (milliseconds under Wine).
  wc.hIconSm = wc.hIcon;
  wc.lpszClassName = name.c_str();
  if (!RegisterClassExW(&wc)) throw Exception("Cannot register window class " + Narrow(name));
}

}  // namespace

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClassInfo())
          .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
          .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
          .Build();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropW(window, kControlProp)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (Parent()) Parent()->HandleNeeded();  // creates this window as one of its children
    if (!handle_) CreateWnd();
  }
  return handle_;
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);
  handle_ = nullptr;
}

DWORD TWinControl::VisibilityStyles() const {
  return (Visible() ? WS_VISIBLE : 0) | (Enabled() ? 0 : WS_DISABLED);
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.ClassName = Wide(ClassName());
  p.Caption = Wide(Caption());
  p.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | VisibilityStyles();
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  p.Parent = Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (handle_) return;  // made while the parent's window was being made
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const wchar_t* cls = p.SystemClass;
  if (!cls) {
    RegisterOwnClass(p.ClassName, p.ClassStyle);
    cls = p.ClassName.c_str();
  }
  TWinControl* outer = creating_;
  creating_ = this;
  HWND h = CreateWindowExW(p.ExStyle, cls, p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height, p.Parent,
                           (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(p.Id) : nullptr, instance,
                           p.SystemClass ? nullptr : this);
  creating_ = outer;
  if (!h) {
    throw Exception("Cannot create the window of " + Name() + " (" + ClassName() + "): system error " +
                    std::to_string(GetLastError()));
  }
  if (p.SystemClass) {
    handle_ = h;
    SetPropW(h, kControlProp, this);
    defProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc)));
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(gdi::Font(*Font())), FALSE);
  }
  WindowCreated();
  // By index: a child's WindowCreated may add controls to this one.
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (auto* w = dynamic_cast<TWinControl*>(controls_[i]); w && !w->handle_) w->CreateWnd();
  }
  AlignControls();
}

LRESULT TWinControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(Handle(), message, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (defProc_) return CallWindowProcW(defProc_, handle_, message, wParam, lParam);
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT TWinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    HWND h = handle_;
    LRESULT r = DefaultHandler(message, wParam, lParam);
    RemovePropW(h, kControlProp);
    if (defProc_) SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defProc_));
    handle_ = nullptr;
    mouseControl_ = nullptr;
    return r;
  }
  return WndProc(message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      if (OwnClass()) {
        PaintHandler();
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (OwnClass()) return 1;  // the double-buffered paint covers everything
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      if (RouteMouse(message, wParam, lParam)) return 0;
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != handle_) {
        if (mouseControl_) {
          mouseControl_->clicked_ = false;
          mouseControl_ = nullptr;
        }
        if (OnCaptureLost) OnCaptureLost(this);
      }
      break;
    case WM_SETFOCUS:
      if (TCustomForm* form = ParentForm(this)) form->FocusChanged(this);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
      if (!DispatchKeyMessage(message, wParam)) return 0;
      break;
    case WM_COMMAND:
      if (lParam) {
        TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
        if (child && child != this) {
          child->CommandNotify(HIWORD(wParam));
          return 0;
        }
      }
      break;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      TWinControl* child = FromHandle(item->hwndItem);
      if (child && child != this) {
        child->DrawItemNotify(*item);
        return TRUE;
      }
      break;
    }
    case WM_MEASUREITEM: {
      // The first one arrives while the child's window is still being made,
      // before the control is attached to it.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      TWinControl* child = FromHandle(GetDlgItem(handle_, static_cast<int>(item->CtlID)));
      if (!child && creating_ && creating_->Parent() == this) child = creating_;
      if (child && child != this) {
        child->MeasureItemNotify(*item);
        return TRUE;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      TWinControl* child = header ? FromHandle(header->hwndFrom) : nullptr;
      LRESULT result = 0;
      if (child && child != this && child->Notify(*header, result)) return result;
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
      if (child && child != this) return reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(wParam)));
      break;
    }
    case WM_SIZE:
      if (OwnClass() && wParam != SIZE_MINIMIZED) {
        AnchorControls(LOWORD(lParam), HIWORD(lParam));
        AlignControls();
      }
      break;
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

bool TWinControl::DispatchKeyMessage(UINT message, WPARAM& wParam) {
  TCustomForm* form = ParentForm(this);
  const bool preview = form && form != this && form->KeyPreview();
  if (message == WM_CHAR) {
    int byte = cp1250::FromUnicode(static_cast<char32_t>(wParam));
    if (byte < 0) return false;  // the system's text cannot hold this character
    char key = static_cast<char>(byte);
    if (preview) form->KeyPress(key);
    if (key) KeyPress(key);
    if (!key) return false;
    wParam = cp1250::ToUnicode(static_cast<unsigned char>(key));
    return true;
  }
  auto key = static_cast<uint16_t>(wParam);
  TShiftState shift = KeyboardShiftState();
  bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (preview) {
    if (down) form->KeyDown(key, shift);
    else form->KeyUp(key, shift);
  }
  if (key) {
    if (down) KeyDown(key, shift);
    else KeyUp(key, shift);
  }
  if (!key) return false;
  wParam = key;
  return true;
}

bool TWinControl::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  TControl* target = mouseControl_ ? mouseControl_ : ControlAtPos(p);
  bool self = target == nullptr;
  if (self) {
    if (!OwnClass()) {
      // A standard control handles the mouse itself; only report it.
      TShiftState shift = MouseShiftState(wParam);
      if (message == WM_MOUSEMOVE) MouseMove(shift, p.x, p.y);
      return false;
    }
    target = this;
  }
  int x = p.x - (self ? 0 : target->Left());
  int y = p.y - (self ? 0 : target->Top());
  TShiftState shift = MouseShiftState(wParam);
  switch (message) {
    case WM_MOUSEMOVE:
      target->MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!self) mouseControl_ = target;
      SetCapture(handle_);
      if (message == WM_LBUTTONDBLCLK) {
        target->DblClick();
        shift.Include(ssDouble);
      }
      target->MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP:
      mouseControl_ = nullptr;
      if (GetCapture() == handle_) ReleaseCapture();
      target->MouseUp(mbLeft, shift, x, y);  // may click: nothing of target is used after it
      break;
    case WM_RBUTTONDOWN:
      target->MouseDown(mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      target->MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      target->MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_MBUTTONUP:
      target->MouseUp(mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
  return true;
}

TControl* TWinControl::ControlAtPos(POINT p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!dynamic_cast<TGraphicControl*>(c) || !c->Visible() || !c->Enabled()) continue;
    if (p.x >= c->Left() && p.y >= c->Top() && p.x < c->Left() + c->Width() && p.y < c->Top() + c->Height())
      return c;
  }
  return nullptr;
}

void TWinControl::PaintHandler() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  RECT r = ps.rcPaint;
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w > 0 && h > 0) {
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    SetWindowOrgEx(mem, r.left, r.top, nullptr);
    {
      TCanvas canvas(mem);
      PaintWindow(canvas);
    }
    for (TControl* c : controls_) {
      auto* g = dynamic_cast<TGraphicControl*>(c);
      if (!g || !g->Visible()) continue;
      RECT b = g->BoundsRect(), overlap;
      if (!IntersectRect(&overlap, &b, &r)) continue;
      int saved = SaveDC(mem);
      IntersectClipRect(mem, b.left, b.top, b.right, b.bottom);
      SetWindowOrgEx(mem, r.left - b.left, r.top - b.top, nullptr);
      {
        TCanvas canvas(mem);
        canvas.Font().Assign(g->GetFont());
        g->Paint(canvas);
      }
      RestoreDC(mem, saved);
    }
    BitBlt(dc, r.left, r.top, w, h, mem, r.left, r.top, SRCCOPY);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
  }
  EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  RECT client;
  GetClientRect(handle_, &client);
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(client);
  canvas.Font().Assign(GetFont());
  Paint(canvas);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
  SetTextColor(dc, gdi::ColorToRGB(GetFont().Color()));
  SetBkColor(dc, gdi::ColorToRGB(Color()));
  return gdi::SolidBrush(Color());
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control); w && handle_ && !w->handle_) w->CreateWnd();
  if (control->Align() != alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end()) controls_.erase(it);
  control->parent_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control)) w->DestroyHandle();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  if (handle_ && Parent())
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWinControl::ClientWidth() const {
  if (!handle_) return width_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  if (!handle_) return height_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.bottom;
}

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  if (Parent()) return Parent()->Showing();
  return handle_ && IsWindowVisible(handle_);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

POINT TWinControl::ClientOrigin() const {
  if (!handle_) return TControl::ClientOrigin();
  POINT p{0, 0};
  ::ClientToScreen(handle_, &p);
  return p;
}

void TWinControl::AlignControls() {
  RECT area{0, 0, ClientWidth(), ClientHeight()};
  for (TControl* c : controls_) {
    if (c->Align() == alNone || !c->Visible()) continue;
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    switch (c->Align()) {
      case alTop: l = area.left; t = area.top; w = area.right - area.left; area.top += h; break;
      case alBottom: l = area.left; w = area.right - area.left; area.bottom -= h; t = area.bottom; break;
      case alLeft: l = area.left; t = area.top; h = area.bottom - area.top; area.left += w; break;
      case alRight: t = area.top; h = area.bottom - area.top; area.right -= w; l = area.right; break;
      case alClient: l = area.left; t = area.top; w = area.right - area.left; h = area.bottom - area.top; break;
      case alNone: break;
    }
    TAlign keep = c->Align();
    c->align_ = alNone;  // no re-entrant layout while the bounds change
    c->SetBounds(l, t, std::max(0, w), std::max(0, h));
    c->align_ = keep;
  }
}

void TWinControl::AnchorControls(int clientWidth, int clientHeight) {
  SIZE before = anchorSize_;
  anchorSize_ = SIZE{clientWidth, clientHeight};
  if (before.cx < 0) return;
  int dx = clientWidth - before.cx, dy = clientHeight - before.cy;
  if (dx == 0 && dy == 0) return;
  // A copy: moving a child may run code that changes the list.
  std::vector<TControl*> children = controls_;
  for (TControl* c : children) {
    TAnchors a = c->Anchors();
    if (c->Align() != alNone || a == TAnchors{akLeft, akTop}) continue;
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    if (a.Contains(akRight)) {
      if (a.Contains(akLeft)) w += dx;
      else l += dx;
    } else if (!a.Contains(akLeft)) {
      l += dx / 2;
    }
    if (a.Contains(akBottom)) {
      if (a.Contains(akTop)) h += dy;
      else t += dy;
    } else if (!a.Contains(akTop)) {
      t += dy / 2;
    }
    c->SetBounds(l, t, std::max(0, w), std::max(0, h));
  }
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::FontChanged() {
  if (handle_ && !OwnClass()) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(gdi::Font(*Font())), TRUE);
  Invalidate();
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  Invalidate();
  for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::TextChanged() {
  if (handle_) SetWindowTextW(handle_, Wide(Caption()).c_str());
  Invalidate();
}

void TWinControl::VisibleChanged() {
  TControl::VisibleChanged();
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
  Invalidate();
}

TCustomForm* TWinControl::ParentForm(const TControl* control) {
  const TControl* c = control;
  while (c && c->Parent()) c = c->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}
