#include "tools/taskdemo/DemoView.h"

#include <cmath>

#include "framework/CustomForm.h"

TDemoView::TDemoView(TComponent* owner, int32_t width, int32_t height, int32_t stateCount)
    : TWinControl(owner), view_(std::make_unique<TDemoDrawingView>(width, height, kScale, stateCount)) {
  SetBounds(0, 0, width, height);
  SetTabStop(true);
  back_.SetSize(width, height);
  RenderPicture();
}

TDemoView::~TDemoView() = default;

void TDemoView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"TDemoView";
  params.ClassStyle |= CS_OWNDC;
  params.Style |= WS_TABSTOP;
}

void TDemoView::WindowCreated() {
  TWinControl::WindowCreated();
  dc_ = GetDC(handle_);
}

void TDemoView::SetMarks(const std::vector<TWorldPoint>& marks) {
  marks_ = marks;
  Redraw();
}

void TDemoView::RenderPicture() {
  HDC dc = reinterpret_cast<HDC>(back_.Surface());
  const int w = back_.Width(), h = back_.Height();
  RECT all{0, 0, w, h};
  HBRUSH paper = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(dc, &all, paper);
  DeleteObject(paper);
  HPEN grid = CreatePen(PS_SOLID, 1, RGB(220, 224, 232));
  HGDIOBJ oldPen = SelectObject(dc, grid);
  TDemoDrawingView& v = *view_;
  for (double hw = std::ceil(v.State.HMin); hw <= v.State.HMax; hw += 1.0) {
    MoveToEx(dc, v.ToX(hw), 0, nullptr);
    LineTo(dc, v.ToX(hw), h);
  }
  for (double vw = std::ceil(v.State.VMin); vw <= v.State.VMax; vw += 1.0) {
    MoveToEx(dc, 0, v.ToY(vw), nullptr);
    LineTo(dc, w, v.ToY(vw));
  }
  HPEN mark = CreatePen(PS_SOLID, 2, RGB(0, 96, 0));
  SelectObject(dc, mark);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  for (const TWorldPoint& p : marks_) {
    const int x = v.ToX(p.At(1)), y = v.ToY(p.At(2));
    Ellipse(dc, x - 4, y - 4, x + 5, y + 5);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(mark);
  DeleteObject(grid);
  GdiFlush();
}

void TDemoView::Redraw() {
  RenderPicture();
  if (dc_) BitBlt(dc_, 0, 0, back_.Width(), back_.Height(), reinterpret_cast<HDC>(back_.Surface()), 0, 0, SRCCOPY);
}

void TDemoView::UpdateNow() {
  if (handle_) UpdateWindow(handle_);
}

bool TDemoView::InExtent(double h, double v) const {
  const TViewState& s = view_->State;
  return s.HMin <= h && h <= s.HMax && s.VMin <= v && v <= s.VMax;
}

TPixelRect TDemoView::ViewClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

TPixelPoint TDemoView::ViewClientToScreen(TPixelPoint p) const {
  POINT s = ClientToScreen(POINT{p.X, p.Y});
  return {s.x, s.y};
}

TPixelPoint TDemoView::ViewScreenToClient(TPixelPoint p) const {
  POINT c = ScreenToClient(POINT{p.X, p.Y});
  return {c.x, c.y};
}

bool TDemoView::ViewFocused() const { return handle_ && GetFocus() == handle_; }

uintptr_t TDemoView::ViewWindow() const { return reinterpret_cast<uintptr_t>(handle_); }

void TDemoView::ReleaseFormFocus() {
  if (TCustomForm* form = ParentForm(this)) form->SetActiveControl(nullptr);
}

TSurface TDemoView::OwnSurface() {
  Handle();
  return reinterpret_cast<TSurface>(dc_);
}

void TDemoView::MouseMove(TShiftState shift, int x, int y) {
  if (!tracking_ && handle_) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
    tracking_ = TrackMouseEvent(&t) != FALSE;
  }
  TWinControl::MouseMove(shift, x, y);
}

LRESULT TDemoView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(handle_, &ps);
      const RECT& r = ps.rcPaint;
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, reinterpret_cast<HDC>(back_.Surface()), r.left,
             r.top, SRCCOPY);
      EndPaint(handle_, &ps);
      if (OnPainted) OnPainted(this);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (GetFocus() != handle_) ::SetFocus(handle_);
      break;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (OnMouseLeave) OnMouseLeave(this);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      LRESULT r = TWinControl::WndProc(message, wParam, lParam);
      if (OnFocusChange) OnFocusChange(this);
      return r;
    }
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
