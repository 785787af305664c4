#include "SpinSteps.h"

#include "ValueRoutines.h"
#include "framework/Exception.h"

#include <cmath>
#include <limits>

namespace {

std::optional<int32_t> InInt32(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(v);
}

// Steps run under a guard: any failure of the arithmetic means no step.
template <class F>
std::optional<double> Guarded(F step) {
  try {
    return step();
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace

double SnapToIncrement(double x, double incFloat) {
  if (incFloat == 0) return x;
  const double q = x / incFloat;
  if (!std::isfinite(q)) return x;
  return TruncTolerant(q) * incFloat;
}

double FloatPMinimum(double minValueF) { return minValueF < 0 ? 0 : minValueF; }

std::optional<int32_t> IntStepUp(int32_t value, int32_t increment, int32_t minValue, int32_t maxValue) {
  const bool rangeSet = !(minValue == 0 && maxValue == 0);
  if (rangeSet && int64_t{value} > int64_t{maxValue} - increment) return std::nullopt;
  return InInt32(int64_t{value} + increment);
}

std::optional<int32_t> IntStepDown(int32_t value, int32_t increment, int32_t minValue, int32_t maxValue) {
  const bool rangeSet = !(minValue == 0 && maxValue == 0);
  if (rangeSet && int64_t{value} < int64_t{minValue} + increment) return std::nullopt;
  return InInt32(int64_t{value} - increment);
}

std::optional<double> FloatStepUp(double value, double incFloat, double tolerance, double minValueF,
                                  double maxValueF) {
  return Guarded([&]() -> std::optional<double> {
    const bool rangeSet = !(maxValueF == 0 && minValueF == 0);
    if (rangeSet && value > maxValueF - tolerance) return std::nullopt;
    double c = SnapToIncrement(value + incFloat, incFloat);
    if (std::fabs(value - c) < 0.1 * incFloat) c += incFloat;
    return rangeSet && c > maxValueF ? maxValueF : c;
  });
}

std::optional<double> FloatStepDown(double value, double incFloat, double tolerance, double minValueF,
                                    double maxValueF) {
  return Guarded([&]() -> std::optional<double> {
    const bool rangeSet = !(maxValueF == 0 && minValueF == 0);
    if (rangeSet && value < minValueF + tolerance) return std::nullopt;
    double c = SnapToIncrement(value - incFloat, incFloat);
    if (std::fabs(value - c) < 0.1 * incFloat) c -= incFloat;
    return rangeSet && c < minValueF ? minValueF : c;
  });
}
