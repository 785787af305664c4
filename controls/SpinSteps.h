#pragma once
// The arithmetic of the spin edit's up and down steps, as pure functions.
// Each returns the value the step writes, or nothing when the step does
// nothing (at a bound, or when the arithmetic fails: a failed step leaves the
// value as it was). A range with both bounds 0 is unset: the steps are then
// unbounded. Writing the returned value, the read-only and enabled checks,
// and raising the update notification stay with the control.

#include <cstdint>
#include <optional>

// The grid point of `incFloat` at or below x towards zero, forgiving
// representation error (see TruncTolerant); x itself when incFloat is 0 or
// the division overflows. Raises EConvertError when the quotient does not fit
// a 64-bit integer.
double SnapToIncrement(double x, double incFloat);

// The lower float bound an edtFloatP control uses: a negative one becomes 0.
double FloatPMinimum(double minValueF);

// Integer steps by `increment` inside minValue..maxValue. With a set range a
// step that would pass the bound does nothing (no clamping); an unset range
// still ends at the 32-bit limits, where a step does nothing rather than
// wrap round.
std::optional<int32_t> IntStepUp(int32_t value, int32_t increment, int32_t minValue, int32_t maxValue);
std::optional<int32_t> IntStepDown(int32_t value, int32_t increment, int32_t minValue, int32_t maxValue);

// Float steps on the grid of `incFloat` multiples, comparing with the bounds
// with `tolerance`; a step that overshoots a set bound lands on it. When the
// snap lands within a tenth of a step of the old value one more step is
// taken. With incFloat 0 the value is returned unchanged (and written again).
// For edtFloatP pass FloatPMinimum(minValueF) as the lower bound.
std::optional<double> FloatStepUp(double value, double incFloat, double tolerance, double minValueF,
                                  double maxValueF);
std::optional<double> FloatStepDown(double value, double incFloat, double tolerance, double minValueF,
                                    double maxValueF);
