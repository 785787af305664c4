#include "forms/Floatfrm.h"

#include "forms/FormPlacement.h"
#include "forms/InterfaceSettings.h"
#include "framework/Canvas.h"
#include "framework/IniFile.h"
#include "framework/Pointer.h"

namespace {

// Posted when Header lost the capture: by then a button-up that released it
// has ended the drag, so a drag still running has lost its end.
constexpr UINT WM_KORVEX_DRAGCHECK = WM_APP + 0x40;

constexpr int32_t kDefaultScrollButtonSize = 13;

}  // namespace

const TClassInfo& TFloatingForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFloatingForm>("TFloatingForm", &TfrmDefault::StaticClassInfo())
          .Layout("TFLOATINGFORM")
          .Bool("AutoAnchors", &TFloatingForm::AutoAnchors, &TFloatingForm::SetAutoAnchors, true)
          .Event("OnBtnClose", &TFloatingForm::OnBtnClose)
          .Event("OnWindowPosChanged", &TFloatingForm::OnWindowPosChanged)
          .Bool("LeaveSpaceForScrollBars", &TFloatingForm::LeaveSpaceForScrollBars,
                &TFloatingForm::SetLeaveSpaceForScrollBars, true)
          .Field("Header", &TFloatingForm::Header)
          .Field("btnClose", &TFloatingForm::btnClose)
          .Method<&TFloatingForm::HeaderMouseDown>("HeaderMouseDown")
          .Method<&TFloatingForm::HeaderMouseMove>("HeaderMouseMove")
          .Method<&TFloatingForm::HeaderMouseUp>("HeaderMouseUp")
          .Method<&TFloatingForm::btnCloseClick>("btnCloseClick")
          .Method<&TFloatingForm::FormCreate>("FormCreate")
          .Build();
  return info;
}

TFloatingForm::TFloatingForm(TComponent* owner) : TfrmDefault(owner) {}

TFloatingForm::~TFloatingForm() {
  EndDrag(false);
  if (Header) Header->OnCaptureLost = TNotifyEvent();
}

void TFloatingForm::FormCreate(TObject*) {
  FDragging = false;
  SetAutoAnchors(true);
  FPointerToForm = false;
  SetLeaveSpaceForScrollBars(true);
  if (Header) Header->OnCaptureLost = TNotifyEvent::Of<&TFloatingForm::HeaderCaptureLost>(this);
}

void TFloatingForm::FormStyles(DWORD& style, DWORD& exStyle) const {
  TfrmDefault::FormStyles(style, exStyle);
  style &= ~WS_CAPTION;  // a dialog frame without a caption bar
  style |= WS_DLGFRAME;
}

void TFloatingForm::HeaderMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  EndDrag(false);
  HWND header = Header->Handle();
  if (GetCapture() != header) SetCapture(header);
  TWinControl* parent = Parent();
  RECT confine;
  if (parent) {
    FDragWindow = parent->Handle();
    FDragDC = GetWindowDC(FDragWindow);
    POINT o = parent->ClientOrigin();
    confine = RECT{o.x, o.y, o.x + parent->ClientWidth(), o.y + parent->ClientHeight()};
    FFrameDX = parent->Width() - parent->ClientWidth();
    FFrameDY = parent->Height() - parent->ClientHeight();
    if (dynamic_cast<TCustomForm*>(parent)) {
      FFrameDX -= 3;
      FFrameDY -= 3;
    }
  } else {
    FDragWindow = nullptr;
    FDragDC = GetDC(nullptr);
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    confine = RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    FFrameDX = FFrameDY = 0;
  }
  FDragCanvas = std::make_unique<TCanvas>(FDragDC);
  ConfinePointer(&confine);
  FGrabX = X;
  FGrabY = Y;
  FDragging = true;
  FDragRect = BoundsRect();
  OffsetRect(&FDragRect, FFrameDX, FFrameDY);
  FDragStart = FDragRect;
  DrawFocusRect(FDragCanvas->Handle(), &FDragRect);
}

void TFloatingForm::HeaderMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!FDragging) return;
  DrawFocusRect(FDragCanvas->Handle(), &FDragRect);
  FDragRect = FDragStart;
  OffsetRect(&FDragRect, X - FGrabX, Y - FGrabY);
  DrawFocusRect(FDragCanvas->Handle(), &FDragRect);
}

void TFloatingForm::HeaderMouseUp(TObject*, TMouseButton, TShiftState, int, int) { EndDrag(true); }

void TFloatingForm::EndDrag(bool move) {
  if (!FDragging) return;
  DrawFocusRect(FDragCanvas->Handle(), &FDragRect);
  FDragCanvas.reset();
  ReleaseDC(FDragWindow, FDragDC);
  FDragDC = nullptr;
  FDragWindow = nullptr;
  FDragging = false;
  ConfinePointer(nullptr);
  if (Header && Header->HandleAllocated() && GetCapture() == Header->Handle()) ReleaseCapture();
  if (!move) return;
  OffsetRect(&FDragRect, -FFrameDX, -FFrameDY);
  SetBounds(FDragRect.left, FDragRect.top, FDragRect.right - FDragRect.left, FDragRect.bottom - FDragRect.top);
}

void TFloatingForm::HeaderCaptureLost(TObject*) {
  if (FDragging && HandleAllocated()) PostMessageW(handle_, WM_KORVEX_DRAGCHECK, 0, 0);
}

void TFloatingForm::DoShow() {
  TfrmDefault::DoShow();
  // A form shown while its parent is hidden hears of no change of its place,
  // so its anchors would stay those of its layout (which stretch it).
  if (Visible() && FAutoAnchors) AdjustAnchors();
}

void TFloatingForm::DoHide() {
  EndDrag(false);
  TfrmDefault::DoHide();
}

void TFloatingForm::btnCloseClick(TObject*) {
  if (OnBtnClose) OnBtnClose(this);
  else Hide();
}

RECT TFloatingForm::GetMoveArea() {
  if (!Parent()) return RECT{0, 0, 0, 0};
  int32_t size = kDefaultScrollButtonSize;
  if (TIniFile* store = InterfaceSettings.Store)
    size = store->ReadInteger("MainForm", "ScrollButtonSize", kDefaultScrollButtonSize);
  TRect32 a = placement::MoveArea(Parent()->ClientWidth(), Parent()->ClientHeight(), FLeaveSpaceForScrollBars, size);
  return RECT{a.Left, a.Top, a.Right, a.Bottom};
}

void TFloatingForm::AdjustAnchors() {
  if (!Parent() || FAdjusting) return;
  FAdjusting = true;
  try {
    RECT a = GetMoveArea();
    TRect32 bounds{Left(), Top(), Left() + Width(), Top() + Height()};
    placement::TAnchoring r = placement::Anchor(bounds, TRect32{a.left, a.top, a.right, a.bottom});
    // The anchors first: the change of bounds raises OnWindowPosChanged, which
    // must see the anchors of the new place.
    SetAnchors(TAnchors{r.Right ? akRight : akLeft, r.Bottom ? akBottom : akTop});
    if (!(r.Bounds == bounds)) SetBounds(r.Bounds.Left, r.Bounds.Top, r.Bounds.Width(), r.Bounds.Height());
  } catch (...) {
    FAdjusting = false;
    throw;
  }
  FAdjusting = false;
}

void TFloatingForm::DoWindowPosChanged() {
  if (OnWindowPosChanged) OnWindowPosChanged(this);
}

LRESULT TFloatingForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGED: {
      LRESULT r = TfrmDefault::WndProc(message, wParam, lParam);
      if (FAutoAnchors) AdjustAnchors();
      DoWindowPosChanged();
      return r;
    }
    case WM_KORVEX_DRAGCHECK:
      if (FDragging && (!Header->HandleAllocated() || GetCapture() != Header->Handle())) EndDrag(false);
      return 0;
    case WM_CANCELMODE:
    case WM_DESTROY:  // the window is made again, or goes with its parent's
      EndDrag(false);
      break;
    default:
      break;
  }
  return TfrmDefault::WndProc(message, wParam, lParam);
}
