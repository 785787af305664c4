#pragma once
// TCursorViewControl: what the task framework uses of a host's view control
// (the windowed control that shows a drawing view). A host control derives
// from its framework control class and from this interface.
//
// Paint modes: 0 the control paints directly on its own surface; 1 it is
// double-buffered: a back buffer holds the clean picture and a screen surface
// draws on the screen. An overlay bitmap, when present, serves as both.

#include <cstdint>

#include "tasks/TaskPlatform.h"
#include "tasks/TaskTypes.h"

class TCursorViewControl {
public:
  virtual ~TCursorViewControl() = default;

  virtual uint8_t PaintMode() const = 0;
  // The control is a plain paint box (IsInView then asks the view's window,
  // otherwise the control's world extent).
  virtual bool IsPaintBox() const { return false; }
  // hmin <= h <= hmax and vmin <= v <= vmax on the control's world extent.
  virtual bool InExtent(double h, double v) const = 0;
  // Repaints the view so that no cursor drawing remains (paint mode 0).
  virtual void Redraw() = 0;
  // Carries out pending repaints now.
  virtual void UpdateNow() = 0;

  virtual TPixelRect ViewClientRect() const = 0;
  virtual TPixelPoint ViewClientToScreen(TPixelPoint p) const = 0;
  virtual TPixelPoint ViewScreenToClient(TPixelPoint p) const = 0;
  virtual bool ViewFocused() const = 0;
  // The control's window (opaque handle).
  virtual uintptr_t ViewWindow() const = 0;
  // Sets the active control of the form that holds this control to none.
  virtual void ReleaseFormFocus() = 0;

  virtual TSurface OwnSurface() = 0;
  virtual TSurface BackBufferSurface() = 0;
  virtual TSurface ScreenSurface() = 0;
  // 0 when the control has no overlay.
  virtual TSurface OverlaySurface() { return 0; }

  // Overlay's surface, else the back buffer in paint mode 1, else the own one.
  TSurface BackgroundCanvas() {
    if (TSurface o = OverlaySurface()) return o;
    return PaintMode() == 1 ? BackBufferSurface() : OwnSurface();
  }
  // Overlay's surface, else the screen surface in paint mode 1, else the own one.
  TSurface ScreenCanvas() {
    if (TSurface o = OverlaySurface()) return o;
    return PaintMode() == 1 ? ScreenSurface() : OwnSurface();
  }
};
