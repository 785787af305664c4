#pragma once
// TFloatingForm: a small tool window that floats inside a parent control of
// the host (over a drawing view, say) instead of on the desktop. It has no
// caption bar: the narrow strip Header on its left, in the active caption's
// colour, is its handle, with a tiny close button at its top.
//
// Dragging: a left press on Header starts a drag: the mouse is captured by
// Header and confined to the parent's client area, and an inverted dotted
// outline follows the mouse on the parent's window. The form moves only when
// the button is released. A drag that loses its end (the capture taken by
// another window, cancel mode, the form hidden or destroyed, its window
// destroyed, a new press)
// ends without moving the form and frees the pointer, the capture and the
// parent's device context all the same. Without a parent the drag works on
// the screen.
//
// When shown and after every change of its position or size, with
// AutoAnchors, the form pushes itself into the move area (GetMoveArea: the parent's client area
// less a pixel at each edge and, with LeaveSpaceForScrollBars, the scroll
// buttons' room on the right and at the bottom) and anchors itself to the
// nearer edges, so that it keeps its place when the parent is resized; then
// OnWindowPosChanged is raised.
//
// The layout is resources/Floatfrm.layout (it asks for the old creation
// order: FormCreate runs before the default form's construction steps).

#include <memory>

#include "forms/frDefaul.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"

class TCanvas;

class TFloatingForm : public TfrmDefault {
public:
  explicit TFloatingForm(TComponent* owner);
  ~TFloatingForm() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TPanel* Header = nullptr;
  TSpeedButton* btnClose = nullptr;  // on Header

  bool AutoAnchors() const { return FAutoAnchors; }
  void SetAutoAnchors(bool value) { FAutoAnchors = value; }
  bool LeaveSpaceForScrollBars() const { return FLeaveSpaceForScrollBars; }
  void SetLeaveSpaceForScrollBars(bool value) { FLeaveSpaceForScrollBars = value; }
  bool Dragging() const { return FDragging; }

  // With it assigned, the close button calls it (Sender: the form) instead
  // of hiding the form.
  TNotifyEvent OnBtnClose;
  // After every change of the window's position or size.
  TNotifyEvent OnWindowPosChanged;

  // The rectangle, in the parent's client coordinates, the form stays in;
  // empty without a parent. The scroll button size is "ScrollButtonSize" of
  // section "MainForm" in the settings store, 13 when it is not there.
  virtual RECT GetMoveArea();
  virtual void DoWindowPosChanged();
  // Pushes the form into the move area and chooses its anchors; nothing
  // without a parent.
  void AdjustAnchors();

  // Published handlers.
  void HeaderMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void HeaderMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void HeaderMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void btnCloseClick(TObject* Sender);
  void FormCreate(TObject* Sender);

protected:
  void FormStyles(DWORD& style, DWORD& exStyle) const override;
  void DoShow() override;
  void DoHide() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // Removes the outline and frees the pointer, the capture and the device
  // context; with move, the form then takes the outline's place.
  void EndDrag(bool move);
  void HeaderCaptureLost(TObject* Sender);

  bool FAutoAnchors = true;
  bool FDragging = false;
  int FGrabX = 0, FGrabY = 0;
  RECT FDragStart{};
  RECT FDragRect{};
  std::unique_ptr<TCanvas> FDragCanvas;  // on the parent's window (or the screen) during a drag
  HWND FDragWindow = nullptr;            // whose device context FDragCanvas draws on; null: the screen
  HDC FDragDC = nullptr;
  int FFrameDX = 0, FFrameDY = 0;
  bool FLeaveSpaceForScrollBars = true;
  bool FAdjusting = false;  // AdjustAnchors is setting the bounds
};
