#include "tasks/TaskTypes.h"

#include <algorithm>
#include <cmath>

TPixelRect UnionRect(const TPixelRect& a, const TPixelRect& b) {
  if (a.Empty()) return b.Empty() ? TPixelRect{} : b;
  if (b.Empty()) return a;
  return TPixelRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                    std::max(a.Bottom, b.Bottom)};
}

double Snapped(double x, double step) {
  if (step == 0.0 || !std::isfinite(step)) return x;
  const double q = x / step;
  if (!std::isfinite(q) || std::fabs(q) >= 9007199254740992.0) return x;
  // The default rounding mode rounds halves to even.
  return std::nearbyint(q) * step;
}
