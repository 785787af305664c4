#pragma once
// TDemoView: the demo host's view control. Double-buffered (paint mode 1):
// the clean picture - paper, a grid line every world unit, the picked points
// - lives in a back buffer, and the window's own device context (class style
// CS_OWNDC, so it stays valid) is both its screen surface and its own canvas.
// After every repaint of the window OnPainted lets the host put its cursors
// back.
//
// The control takes the keyboard (arrows and characters included) and
// reports the pointer leaving it (OnMouseLeave) and its focus (OnFocusChange).

#include <vector>

#include "framework/WinControl.h"
#include "tasks/CursorViewControl.h"
#include "tasks/TaskTypes.h"
#include "tasks/TaskPlatformWin32.h"
#include "tools/taskdemo/DemoDrawingView.h"

class TDemoView : public TWinControl, public TCursorViewControl {
public:
  // stateCount: coordinate states in the drawing view's swap file.
  TDemoView(TComponent* owner, int32_t width, int32_t height, int32_t stateCount = 2);
  ~TDemoView() override;

  static constexpr double kScale = 20.0;  // pixels per world unit

  TDemoDrawingView& DrawingView() { return *view_; }
  // Points drawn into the picture, in world coordinates.
  void SetMarks(const std::vector<TWorldPoint>& marks);

  // TCursorViewControl
  uint8_t PaintMode() const override { return 1; }
  bool InExtent(double h, double v) const override;
  void Redraw() override;
  void UpdateNow() override;
  TPixelRect ViewClientRect() const override;
  TPixelPoint ViewClientToScreen(TPixelPoint p) const override;
  TPixelPoint ViewScreenToClient(TPixelPoint p) const override;
  bool ViewFocused() const override;
  uintptr_t ViewWindow() const override;
  void ReleaseFormFocus() override;
  TSurface OwnSurface() override;
  TSurface BackBufferSurface() override { return back_.Surface(); }
  TSurface ScreenSurface() override { return OwnSurface(); }

  TNotifyEvent OnPainted;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnFocusChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MouseMove(TShiftState shift, int x, int y) override;

private:
  void RenderPicture();

  std::unique_ptr<TDemoDrawingView> view_;
  TDibSurface back_;
  std::vector<TWorldPoint> marks_;
  HDC dc_ = nullptr;  // the window's own device context
  bool tracking_ = false;  // a leave notification is requested
};
