#pragma once
// TWinControl: a control with a window of its own, and the parent of other
// controls.
//
// Window classes: controls that paint themselves (forms, panels) register a
// window class named after their framework class ("TPanel"); controls built on
// a standard system control (edit box, button, static text) create a window of
// the system class ("Edit", "Button", "Static") and subclass it, so tools that
// look for the system classes find them. The control is reached from its
// window through a window property.
//
// Children: graphic controls are painted by their parent, back to front in the
// order they were added (double-buffered, so nothing flickers), and receive
// the mouse through it; windowed children paint themselves. WM_COMMAND and
// WM_CTLCOLOR* of a standard child are handed back to that child.
//
// Anchors: when the client area of a control with its own window class
// changes size, each child without an Align keeps its distances to the edges
// in its Anchors (both of a pair: it stretches; neither: it keeps its place
// relative to the middle). Changes made before the window exists move nothing.
//
// Errors: no exception leaves the window procedure; each is handed to the
// application's exception handler.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Control.h"

class TCustomForm;

struct TCreateParams {
  std::wstring ClassName;       // window class to register (own classes)
  const wchar_t* SystemClass = nullptr;  // standard class to create and subclass instead
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  UINT ClassStyle = CS_DBLCLKS;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND Parent = nullptr;
  UINT_PTR Id = 0;              // child window identifier
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The window, created (with the parents' windows) if it does not exist yet.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  static TWinControl* FromHandle(HWND window);

  bool AcceptsChildren() const override { return true; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // Topmost visible and enabled graphic child at a client point, or null.
  TControl* ControlAtPos(POINT p) const;

  void SetBounds(int left, int top, int width, int height) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  bool Showing() const override;
  void Invalidate() override;
  POINT ClientOrigin() const override;
  // Lays out the children that have an Align other than alNone.
  void AlignControls();

  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int value) { tabOrder_ = value; }

  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  // The window lost the mouse capture (to another window or to none), also
  // when the framework itself releases it after a button-up. Set in code.
  TNotifyEvent OnCaptureLost;

  // Keyboard input; the defaults raise the events. A handler that zeroes
  // the key consumes it.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // Focus moving to this control from another of the same form, and away.
  virtual void DoEnter();
  virtual void DoExit();

  // For the parent: called by TControl.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  // The form (top window) a control sits on, or null.
  static TCustomForm* ParentForm(const TControl* control);

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // Called once the window exists (before the children's are created).
  virtual void WindowCreated() {}
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

  // Painting of controls with an own window class: the background in Color,
  // then Paint(), then the graphic children.
  virtual void PaintWindow(TCanvas& canvas);
  virtual void Paint(TCanvas&) {}

  // A standard child's notification (WM_COMMAND code) and colours.
  virtual void CommandNotify(WORD /*code*/) {}
  // A common control's WM_NOTIFY, handed back to the control that sent it;
  // true when handled, with the message's result.
  virtual bool Notify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual HBRUSH CtlColor(HDC dc);
  // An owner-drawn standard child's drawing and item sizes (WM_DRAWITEM,
  // WM_MEASUREITEM, handed back to the child like WM_COMMAND).
  virtual void DrawItemNotify(const DRAWITEMSTRUCT& /*item*/) {}
  virtual void MeasureItemNotify(MEASUREITEMSTRUCT& /*item*/) {}

  // Keyboard messages (WM_KEYDOWN, WM_KEYUP and their WM_SYS forms,
  // WM_CHAR) for this control, arriving at its window or at a part of it:
  // the form's key preview, then KeyDown / KeyUp / KeyPress. Returns false
  // when the key was consumed; otherwise wParam is what the window is to
  // see.
  bool DispatchKeyMessage(UINT message, WPARAM& wParam);

  void FontChanged() override;
  void ColorChanged() override;
  void TextChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  // The window styles that follow Visible and Enabled.
  DWORD VisibilityStyles() const;
  bool OwnClass() const { return defProc_ == nullptr; }

  HWND handle_ = nullptr;

private:
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void PaintHandler();
  void AnchorControls(int clientWidth, int clientHeight);

  static TWinControl* creating_;  // the control whose window is being made, while CreateWindowEx runs
  WNDPROC defProc_ = nullptr;  // the system class's procedure, for subclassed windows
  std::vector<TControl*> controls_;  // children, back to front; not owned
  TControl* mouseControl_ = nullptr; // graphic child holding the captured mouse
  bool tabStop_ = false;
  int tabOrder_ = -1;
  SIZE anchorSize_{-1, -1};  // the client size the children's anchors were last applied at
};
