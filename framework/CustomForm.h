#pragma once
// TCustomForm: a top-level window with a layout.
//
// Life cycle (forms are made with TCustomForm::Create<T> or
// Application->CreateForm, freed with TComponent::Free):
//   construction   the C++ constructors run; no layout is read yet;
//   layouts        InitializeComponents() reads the layout of every class in
//                  the form's ancestry that has one, the base class's first,
//                  filling in the form's fields and connecting its events;
//   creation       AfterConstruction() raises OnCreate (the whole form exists);
//   shown/hidden   OnShow before the window appears, OnHide before it goes;
//   destruction    BeforeDestruction() raises OnDestroy while the whole form
//                  still exists, then the form and what it owns are deleted.
// The window itself is made when first needed (normally when shown).
//
// Sizes: a form's layout records its client size (ClientWidth, ClientHeight);
// Width and Height are the outer size. With AutoSize the client area fits the
// visible controls. Forms are laid out in pixels: nothing is scaled. Every
// SetBounds outside of loading asks CanResize (OnCanResize), which may change
// the new size or refuse it (the size then stays).
//
// Parents: a form without a parent is a top-level window owned by the
// application window. A form given a parent control becomes a child window of
// it (its bounds are then in the parent's client coordinates, and it is shown
// without being activated); an existing window is made again for the change,
// and WindowCreated() runs again.
//
// Closing: Close() asks OnCloseQuery, then OnClose decides the action (hide
// by default). Closing the application's main form ends the application. In a
// modal form Close() only sets ModalResult to mrCancel; ShowModal() returns
// once ModalResult is not mrNone.

#include <memory>

#include "framework/WinControl.h"

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition : uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
// fsStayOnTop: a top-level form stays above all windows that are not, a
// child form is put above its siblings whenever it is shown.
enum TFormStyle : uint8_t { fsNormal, fsStayOnTop };
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
using TCanResizeEvent = TEvent<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Makes a form of class T: construction, layouts, OnCreate.
  template <class T>
  static T* Create(TComponent* owner) {
    T* form = new T(owner);
    try {
      form->InitializeComponents();
      form->AfterConstruction();
    } catch (...) {
      TComponent::Free(form);
      throw;
    }
    return form;
  }

  void InitializeComponents();
  virtual void AfterConstruction();
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle value);
  // The window's state while it is shown; the state it is shown in otherwise.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }  // recorded only: forms are never scaled
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
  const std::string& Icon() const { return icon_; }
  void SetIcon(const std::string& resourceName);

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;
  bool IsBoundsStored() const override { return false; }
  POINT ClientOrigin() const override;
  bool Showing() const override;

  void Close();
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }

  // The control that has (or last had) the focus on this form, or null.
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* control);
  // Called by a control of this form when it receives the focus: raises the
  // exit event of the control that had it and the enter event of the new one.
  void FocusChanged(TWinControl* control);
  // Moves the focus to the next (or previous) control that takes Tab.
  void SelectNext(TWinControl* current, bool forward);

  // The canvas of the paint in progress (OnPaint), else null; not owned.
  TCanvas* Canvas() const { return paintCanvas_; }

  // Whether the message loop lets the system's dialog navigation handle keys
  // for this window (Tab, arrows, Enter, Esc, mnemonics).
  virtual bool UsesDialogNavigation() const { return false; }

  TNotifyEvent OnActivate;
  TCanResizeEvent OnCanResize;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnHide;
  // Raised while the form paints, after its background: draw on Canvas().
  TNotifyEvent OnPaint;
  TNotifyEvent OnResize;
  TNotifyEvent OnShow;

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void VisibleChanged() override;
  void Paint(TCanvas& canvas) override;
  void Loaded() override;
  // Raises OnCreate (AfterConstruction).
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  // Raises OnResize.
  virtual void Resize();
  virtual bool CloseQuery();
  virtual bool CanResize(int& newWidth, int& newHeight);
  // The window styles of the border, the border icons, the form style and
  // the parent; descendants may change them (the outer size follows).
  virtual void FormStyles(DWORD& style, DWORD& exStyle) const;
  // The outer size for a client size with this form's border.
  SIZE OuterSize(int clientWidth, int clientHeight) const;
  void ApplyAutoSize();
  void ApplyPosition();

private:
  void Activated();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TCanvas* paintCanvas_ = nullptr;
  bool autoSize_ = false;
  bool scaled_ = true;
  bool keyPreview_ = false;
  bool oldCreateOrder_ = false;
  std::string icon_;
  HICON iconHandle_ = nullptr;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  bool modal_ = false;
  int modalResult_ = 0;
  bool positioned_ = false;
  HWND activeWindow_ = nullptr;  // the focused control's window
};

// The framework's plain form class; application forms derive from it.
class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

const TEnumInfo& FormBorderStyleInfo();
const TEnumInfo& BorderIconInfo();
const TEnumInfo& PositionInfo();
const TEnumInfo& FormStyleInfo();
const TEnumInfo& WindowStateInfo();
