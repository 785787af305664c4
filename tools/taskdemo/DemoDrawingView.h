#pragma once
// TDemoDrawingView: the demo host's drawing view. Its coordinate states are
// 48-byte records of a swap file it owns: the first two reals are the scale
// (pixels per world unit) and a spare, then the visible window. World
// coordinate 1 runs to the right, coordinate 2 upwards:
//   x = round((h - hmin) * scale),   y = round((vmax - v) * scale).

#include <cstdint>
#include <memory>

#include "swap/SwapStore.h"
#include "tasks/DrawingView.h"

class TDemoDrawingView : public TDrawingView {
public:
  // stateCount states (at least 2), each showing h in [0, width / scale] and
  // v in [0, height / scale] for a view of width x height pixels; state 1 is
  // put in force.
  TDemoDrawingView(int32_t width, int32_t height, double scale, int32_t stateCount);
  ~TDemoDrawingView() override;

  int32_t ToX(double h) const;
  int32_t ToY(double v) const;
  double FromX(int32_t x) const;
  double FromY(int32_t y) const;

protected:
  void StateLoaded() override;

private:
  std::unique_ptr<TSwapFile> store_;
  double scale_ = 1.0;
};
