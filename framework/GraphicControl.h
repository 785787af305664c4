#pragma once
// TGraphicControl: a control without a window of its own, painted by its
// parent on the parent's canvas (already clipped to the control and with the
// origin at the control's top-left corner).

#include "framework/Control.h"

class TCanvas;

class TGraphicControl : public TControl {
public:
  using TControl::TControl;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  virtual void Paint(TCanvas& canvas) = 0;
};
