#include "tools/taskdemo/DemoDrawingView.h"

#include <cmath>

TDemoDrawingView::TDemoDrawingView(int32_t width, int32_t height, double scale, int32_t stateCount)
    : TDrawingView(nullptr), store_(std::make_unique<TSwapFile>(static_cast<int32_t>(sizeof(TViewState)))) {
  States = store_.get();
  const TViewState s{{scale, 0.0}, 0.0, 0.0, width / scale, height / scale};
  for (int32_t i = 0; i < (stateCount < 2 ? 2 : stateCount); ++i) store_->AppendRec(&s);
  WorldToScreenX = TWorldToScreenEvent::Of<&TDemoDrawingView::ToX>(this);
  WorldToScreenY = TWorldToScreenEvent::Of<&TDemoDrawingView::ToY>(this);
  ScreenToWorldX = TScreenToWorldEvent::Of<&TDemoDrawingView::FromX>(this);
  ScreenToWorldY = TScreenToWorldEvent::Of<&TDemoDrawingView::FromY>(this);
  ApplyState(1);
}

TDemoDrawingView::~TDemoDrawingView() = default;

void TDemoDrawingView::StateLoaded() { scale_ = State.Reserved[0] > 0 ? State.Reserved[0] : 1.0; }

int32_t TDemoDrawingView::ToX(double h) const { return static_cast<int32_t>(std::lround((h - State.HMin) * scale_)); }
int32_t TDemoDrawingView::ToY(double v) const { return static_cast<int32_t>(std::lround((State.VMax - v) * scale_)); }
double TDemoDrawingView::FromX(int32_t x) const { return State.HMin + x / scale_; }
double TDemoDrawingView::FromY(int32_t y) const { return State.VMax - y / scale_; }
