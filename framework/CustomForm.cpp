#include "framework/CustomForm.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/WinText.h"

const TEnumInfo& FormBorderStyleInfo() {
  static const TEnumInfo info("TFormBorderStyle",
                              {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  return info;
}

const TEnumInfo& BorderIconInfo() {
  static const TEnumInfo info("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
  return info;
}

const TEnumInfo& PositionInfo() {
  static const TEnumInfo info("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                            "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                                            "poOwnerFormCenter"});
  return info;
}

const TEnumInfo& FormStyleInfo() {
  static const TEnumInfo info("TFormStyle", {"fsNormal", "fsStayOnTop"});
  return info;
}

const TEnumInfo& WindowStateInfo() {
  static const TEnumInfo info("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
  return info;
}

const TClassInfo& TCustomForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomForm>("TCustomForm", &TWinControl::StaticClassInfo())
          .Bool("Visible", &TControl::Visible, &TControl::SetVisible, false)
          .Bool("AutoSize", &TCustomForm::AutoSize, &TCustomForm::SetAutoSize, false)
          .SetOf<TBorderIcon>("BorderIcons", BorderIconInfo(), &TCustomForm::BorderIcons,
                              &TCustomForm::SetBorderIcons, TBorderIcons{biSystemMenu, biMinimize, biMaximize})
          .Enum<TFormBorderStyle>("BorderStyle", FormBorderStyleInfo(), &TCustomForm::BorderStyle,
                                  &TCustomForm::SetBorderStyle, bsSizeable)
          .Str("Caption", &TControl::Caption, &TControl::SetCaption, std::string())
          .Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
          .Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
          .Color("Color", &TControl::Color, &TControl::SetColor, clBtnFace)
          .Object("Font", &TControl::Font)
          .Enum<TFormStyle>("FormStyle", FormStyleInfo(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
                            fsNormal)
          .Str("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon, std::string())
          .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
          .Bool("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder, false)
          .Enum<TPosition>("Position", PositionInfo(), &TCustomForm::Position, &TCustomForm::SetPosition,
                           poDesigned)
          .Bool("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled, true)
          .Enum<TWindowState>("WindowState", WindowStateInfo(), &TCustomForm::WindowState,
                              &TCustomForm::SetWindowState, wsNormal)
          .Event("OnActivate", &TCustomForm::OnActivate)
          .Event("OnCanResize", &TCustomForm::OnCanResize)
          .Event("OnClick", &TControl::OnClick)
          .Event("OnClose", &TCustomForm::OnClose)
          .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
          .Event("OnCreate", &TCustomForm::OnCreate)
          .Event("OnDblClick", &TControl::OnDblClick)
          .Event("OnDeactivate", &TCustomForm::OnDeactivate)
          .Event("OnDestroy", &TCustomForm::OnDestroy)
          .Event("OnHide", &TCustomForm::OnHide)
          .Event("OnKeyDown", &TWinControl::OnKeyDown)
          .Event("OnKeyPress", &TWinControl::OnKeyPress)
          .Event("OnKeyUp", &TWinControl::OnKeyUp)
          .Event("OnMouseDown", &TControl::OnMouseDown)
          .Event("OnMouseMove", &TControl::OnMouseMove)
          .Event("OnMouseUp", &TControl::OnMouseUp)
          .Event("OnPaint", &TCustomForm::OnPaint)
          .Event("OnResize", &TCustomForm::OnResize)
          .Event("OnShow", &TCustomForm::OnShow)
          .Build();
  return info;
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TForm>("TForm", &TCustomForm::StaticClassInfo()).Build();
  return info;
}

namespace {

std::string LayoutResource(const std::string& name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, Wide(name).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!res) throw Exception("The layout " + name + " is missing from the program");
  HGLOBAL data = LoadResource(module, res);
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!bytes) throw Exception("The layout " + name + " cannot be read");
  return std::string(bytes, SizeofResource(module, res));
}

struct WindowList {
  HWND except;
  std::vector<HWND> windows;
};

// Called by the system: nothing may be thrown back through it. A window that
// cannot be listed (no memory) is left enabled, so that it is not left
// disabled for good; the enumeration stops there.
BOOL CALLBACK DisableWindow(HWND window, LPARAM param) noexcept {
  auto* list = reinterpret_cast<WindowList*>(param);
  if (window != list->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    try {
      list->windows.push_back(window);
    } catch (...) {
      return FALSE;
    }
    EnableWindow(window, FALSE);
  }
  return TRUE;
}

void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out) {
  std::vector<std::pair<int, TWinControl*>> children;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) {
      int order = w->TabOrder() < 0 ? 1000000 + i : w->TabOrder();
      children.emplace_back(order, w);
    }
  }
  std::stable_sort(children.begin(), children.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [order, w] : children) {
    if (!w->Visible() || !w->Enabled()) continue;
    if (w->TabStop()) out.push_back(w);
    CollectTabStops(w, out);
  }
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetParentFont(false);
  SetParentColor(false);
}

TCustomForm::~TCustomForm() {
  if (Application) Application->FormDestroyed(this);
  DestroyHandle();
  if (iconHandle_) DestroyIcon(iconHandle_);
}

void TCustomForm::InitializeComponents() {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &ClassInfo(); c; c = c->Parent) chain.push_back(c);
  SetLoading(true);
  try {
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      if ((*it)->Layout.empty()) continue;
      TLayoutReader::ReadRoot(*this, TLayoutParser::Parse(LayoutResource((*it)->Layout)));
    }
  } catch (...) {
    SetLoading(false);
    throw;
  }
  SetLoading(false);
  Loaded();
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  ApplyAutoSize();
}

void TCustomForm::AfterConstruction() {
  DoCreate();
  if (Visible()) VisibleChanged();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
  TWinControl::BeforeDestruction();
  if (OnDestroy) OnDestroy(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  if (handle_) {
    DWORD style, exStyle;
    FormStyles(style, exStyle);
    SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(style | (IsWindowVisible(handle_) ? WS_VISIBLE : 0)));
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    SetClientWidth(clientWidth_);
  }
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  borderIcons_ = value;
  if (handle_) {
    DWORD style, exStyle;
    FormStyles(style, exStyle);
    SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(style | (IsWindowVisible(handle_) ? WS_VISIBLE : 0)));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  if (value == formStyle_) return;
  formStyle_ = value;
  if (handle_ && !Parent())
    SetWindowPos(handle_, value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
  if (!handle_ || !IsWindowVisible(handle_)) return windowState_;
  if (IsIconic(handle_)) return wsMinimized;
  if (IsZoomed(handle_)) return wsMaximized;
  return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState value) {
  windowState_ = value;
  if (!handle_ || !IsWindowVisible(handle_) || WindowState() == value) return;
  ShowWindow(handle_, value == wsMinimized ? SW_MINIMIZE : value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::SetParent(TWinControl* parent) {
  bool hadWindow = handle_ != nullptr;
  TWinControl::SetParent(parent);
  if (!hadWindow) return;
  // A window of the wrong kind (top-level or child) is made again; leaving an
  // old parent has already destroyed it.
  bool child = handle_ && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) != 0;
  if (!handle_ || child != (Parent() != nullptr)) {
    DestroyHandle();
    if (Parent() && !Parent()->HandleAllocated()) return;  // made with the parent's window
    HandleNeeded();
  }
  if (Visible() && !IsWindowVisible(handle_)) ShowWindow(handle_, SW_SHOWNA);
}

void TCustomForm::SetAutoSize(bool value) {
  autoSize_ = value;
  ApplyAutoSize();
}

void TCustomForm::SetIcon(const std::string& resourceName) {
  icon_ = resourceName;
  if (handle_) WindowCreated();
}

void TCustomForm::FormStyles(DWORD& style, DWORD& exStyle) const {
  style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  exStyle = 0;
  DWORD icons = 0;
  if (borderIcons_.Contains(biSystemMenu)) {
    icons |= WS_SYSMENU;
    if (borderIcons_.Contains(biMinimize)) icons |= WS_MINIMIZEBOX;
    if (borderIcons_.Contains(biMaximize)) icons |= WS_MAXIMIZEBOX;
  }
  switch (borderStyle_) {
    case bsNone: style |= Parent() ? 0 : WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION | WS_BORDER | icons; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME | icons; break;
    case bsDialog:
      style |= (Parent() ? 0 : WS_POPUP) | WS_CAPTION | (icons & WS_SYSMENU);
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      style |= WS_CAPTION | (icons & WS_SYSMENU);
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME | (icons & WS_SYSMENU);
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (!Enabled()) style |= WS_DISABLED;
  if (Parent()) style |= WS_CHILD;
  else if (formStyle_ == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
}

void TCustomForm::CreateParams(TCreateParams& p) {
  p.ClassName = Wide(ClassName());
  p.Caption = Wide(Caption());
  FormStyles(p.Style, p.ExStyle);
  SIZE outer = OuterSize(clientWidth_, clientHeight_);
  p.X = left_;
  p.Y = top_;
  p.Width = outer.cx;
  p.Height = outer.cy;
  if (Parent()) p.Parent = Parent()->Handle();
  else p.Parent = Application ? Application->Handle() : nullptr;  // the owner window
}

SIZE TCustomForm::OuterSize(int clientWidth, int clientHeight) const {
  DWORD style, exStyle;
  FormStyles(style, exStyle);
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TCustomForm::WindowCreated() {
  // A form without an icon of its own shows its window class's, the
  // application icon. Setting that on the window as well would only cost the
  // start-up time: Wine's X11 driver converts the icon again for every
  // WM_SETICON. A window that showed an own icon is given the class's back.
  HICON own = nullptr;
  if (!icon_.empty())
    own = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), Wide(icon_).c_str(), IMAGE_ICON, 0, 0, 0));
  if (own || iconHandle_) {
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(own));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
  }
  if (iconHandle_) DestroyIcon(iconHandle_);
  iconHandle_ = own;
  RECT r;
  GetWindowRect(handle_, &r);
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

void TCustomForm::ApplyAutoSize() {
  if (!autoSize_ || Loading()) return;
  int w = 0, h = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    w = std::max(w, c->Left() + c->Width());
    h = std::max(h, c->Top() + c->Height());
  }
  if (w > 0 && h > 0 && (w != ClientWidth() || h != ClientHeight())) {
    clientWidth_ = w;
    clientHeight_ = h;
    SIZE outer = OuterSize(w, h);
    SetBounds(left_, top_, outer.cx, outer.cy);
  }
}

void TCustomForm::ApplyPosition() {
  positioned_ = true;
  SIZE outer = OuterSize(clientWidth_, clientHeight_);
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  int x = left_, y = top_;
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      x = (screenW - outer.cx) / 2;
      y = (screenH - outer.cy) / 2;
      break;
    case poMainFormCenter:
    case poOwnerFormCenter:
      if (Application && Application->MainForm() && Application->MainForm() != this) {
        TCustomForm* m = Application->MainForm();
        x = m->Left() + (m->Width() - outer.cx) / 2;
        y = m->Top() + (m->Height() - outer.cy) / 2;
      } else {
        x = (screenW - outer.cx) / 2;
        y = (screenH - outer.cy) / 2;
      }
      break;
    default:
      break;
  }
  if (!handle_ || x != left_ || y != top_ || outer.cx != width_ || outer.cy != height_)
    SetBounds(x, y, outer.cx, outer.cy);
}

int TCustomForm::ClientWidth() const {
  if (!handle_) return clientWidth_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.right;
}

int TCustomForm::ClientHeight() const {
  if (!handle_) return clientHeight_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.bottom;
}

void TCustomForm::SetClientWidth(int value) {
  clientWidth_ = value;
  SIZE outer = OuterSize(clientWidth_, clientHeight_);
  SetBounds(left_, top_, outer.cx, outer.cy);
}

void TCustomForm::SetClientHeight(int value) {
  clientHeight_ = value;
  SIZE outer = OuterSize(clientWidth_, clientHeight_);
  SetBounds(left_, top_, outer.cx, outer.cy);
}

bool TCustomForm::CanResize(int& newWidth, int& newHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, newWidth, newHeight, resize);
  return resize;
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
  if (!Loading() && !CanResize(width, height)) {
    width = width_;
    height = height_;
  }
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  SIZE frame = OuterSize(0, 0);
  if (handle_) {
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r;
    GetClientRect(handle_, &r);
    clientWidth_ = r.right;
    clientHeight_ = r.bottom;
  } else {
    clientWidth_ = std::max(0, width_ - static_cast<int>(frame.cx));
    clientHeight_ = std::max(0, height_ - static_cast<int>(frame.cy));
  }
}

POINT TCustomForm::ClientOrigin() const {
  POINT p{0, 0};
  if (handle_) {
    ::ClientToScreen(handle_, &p);
  } else {
    SIZE frame = OuterSize(0, 0);
    p = POINT{left_ + frame.cx / 2, top_ + frame.cy - frame.cx / 2};
  }
  return p;
}

bool TCustomForm::Showing() const { return Visible() && handle_ && IsWindowVisible(handle_); }

void TCustomForm::VisibleChanged() {
  if (Loading()) return;  // a layout's Visible takes effect once the form is made
  if (Visible()) {
    // A form's window is made at its final size and place: moving a shown
    // top-level window is a round trip to the window system each time.
    if (!handle_) {
      ApplyAutoSize();
      if (!positioned_) ApplyPosition();
    }
    HandleNeeded();
    ApplyAutoSize();
    if (!positioned_) ApplyPosition();
    DoShow();
    if (!Visible()) return;  // OnShow hid the form again
    if (Parent()) {
      ShowWindow(handle_, SW_SHOWNA);
      if (formStyle_ == fsStayOnTop)
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
    const bool mainForm = Application && Application->MainForm() == this;
    const int show = windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
                     : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                   : SW_SHOWNORMAL;
    if (mainForm && show != SW_SHOWNORMAL) Application->MainFormShowing(true);
    ShowWindow(handle_, show);
    if (modal_ || mainForm) SetForegroundWindow(handle_);
    if (mainForm && show == SW_SHOWNORMAL) {
      // The program's first frame comes first: the main form paints at once,
      // and only then is the application window, which carries the task-bar
      // button, shown (a window of its own, mapped at some cost). Both are
      // shown when Show returns.
      UpdateWindow(handle_);
      Application->MainFormShowing(true);
    }
  } else {
    if (!handle_ || !IsWindowVisible(handle_)) return;
    DoHide();
    windowState_ = WindowState();
    ShowWindow(handle_, SW_HIDE);
    if (Application && Application->MainForm() == this) Application->MainFormShowing(false);
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::Resize() {
  if (OnResize) OnResize(this);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: if (handle_) ShowWindow(handle_, SW_MINIMIZE); break;
    case caFree: if (Application) Application->Release(this); break;
    case caNone: break;
  }
}

int TCustomForm::ShowModal() {
  if (Visible() || modal_) throw Exception("Cannot make a visible window modal");
  if (!Application) throw Exception("No application to run a modal window in");
  HWND previous = GetActiveWindow();
  HandleNeeded();
  WindowList disabled{handle_, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  modalResult_ = mrNone;
  auto restore = [&] {
    for (HWND w : disabled.windows) EnableWindow(w, TRUE);
    modal_ = false;
    Hide();
    if (previous && IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
  };
  try {
    Show();
    while (modalResult_ == mrNone) {
      Application->HandleMessage();
      if (Application->Terminated()) {
        modalResult_ = mrCancel;
      } else if (modalResult_ != mrNone) {
        TCloseAction action = caHide;
        if (!CloseQuery()) action = caNone;
        else if (OnClose) OnClose(this, action);
        if (action == caNone) modalResult_ = mrNone;
      }
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return modalResult_;
}

TWinControl* TCustomForm::ActiveControl() const { return FromHandle(activeWindow_); }

void TCustomForm::SetActiveControl(TWinControl* control) {
  activeWindow_ = control ? control->Handle() : nullptr;
  if (control && handle_ && GetActiveWindow() == handle_ && control->CanFocus()) control->SetFocus();
}

void TCustomForm::FocusChanged(TWinControl* control) {
  if (control == this) return;
  HWND h = control->Handle();
  if (h == activeWindow_) return;
  TWinControl* old = FromHandle(activeWindow_);
  activeWindow_ = h;
  if (old) old->DoExit();
  control->DoEnter();
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), current);
  size_t index;
  if (it == stops.end()) index = forward ? 0 : stops.size() - 1;
  else if (forward) index = (static_cast<size_t>(it - stops.begin()) + 1) % stops.size();
  else index = (static_cast<size_t>(it - stops.begin()) + stops.size() - 1) % stops.size();
  stops[index]->SetFocus();
}

void TCustomForm::Activated() {
  HWND target = activeWindow_;
  if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
    target = handle_;
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (!stops.empty()) target = stops.front()->Handle();
  }
  ::SetFocus(target);
}

void TCustomForm::Paint(TCanvas& canvas) {
  if (!OnPaint) return;
  paintCanvas_ = &canvas;
  try {
    OnPaint(this);
  } catch (...) {
    paintCanvas_ = nullptr;
    throw;
  }
  paintCanvas_ = nullptr;
}

LRESULT TCustomForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (Application) Application->FormActivated(this);
        if (!HIWORD(wParam)) Activated();  // not while minimized
        if (OnActivate) OnActivate(this);
        return 0;
      }
      if (OnDeactivate) OnDeactivate(this);
      break;
    case WM_WINDOWPOSCHANGED: {
      LRESULT r = TWinControl::WndProc(message, wParam, lParam);
      if (!IsIconic(handle_)) {
        RECT w, c;
        GetWindowRect(handle_, &w);
        GetClientRect(handle_, &c);
        if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)
          MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&w), 2);
        bool resized = c.right != clientWidth_ || c.bottom != clientHeight_;
        left_ = w.left;
        top_ = w.top;
        width_ = w.right - w.left;
        height_ = w.bottom - w.top;
        clientWidth_ = c.right;
        clientHeight_ = c.bottom;
        if (resized) Resize();
      }
      return r;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Application->Minimize();
        return 0;
      }
      break;
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
