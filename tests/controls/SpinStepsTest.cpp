#include "controls/SpinSteps.h"
#include "controls/ValueRoutines.h"

#include "framework/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

TEST(SharedRoutines, SignAndTolerantTruncation) {
  EXPECT_EQ(SignOf(3.5), 1);
  EXPECT_EQ(SignOf(-1e-300), -1);
  EXPECT_EQ(SignOf(0.0), 0);
  EXPECT_EQ(SignOf(-0.0), 0);
  EXPECT_EQ(SignOf(std::nan("")), 0);
  const std::pair<double, double> cases[] = {
      {2.7, 2},   {-2.7, -2}, {2.9999999999999996, 3}, {-2.9999999999999996, -3},
      {2.99999999, 2},        {3, 3},   {0, 0},       {0.3 / 0.1, 3},  // 2.9999999999999996
      {1e15 + 0.5, 1e15}, {-9.2e18, -9.2e18},
  };
  for (auto [x, r] : cases) EXPECT_EQ(TruncTolerant(x), r) << x;
  EXPECT_THROW(TruncTolerant(1e19), EConvertError);
  EXPECT_THROW(TruncTolerant(std::nan("")), EConvertError);
  EXPECT_THROW(TruncTolerant(-INFINITY), EConvertError);
}

TEST(SharedRoutines, TextTests) {
  EXPECT_TRUE(ContainsChar("1,5", ','));
  EXPECT_FALSE(ContainsChar("", ','));
  EXPECT_TRUE(ContainsChar("a\xA0", '\xA0'));
  EXPECT_FALSE(NotAFloat("1,5", ','));
  EXPECT_TRUE(NotAFloat("1.5", ','));
  EXPECT_TRUE(NotAFloat("", '.'));
  EXPECT_FALSE(NotAnInteger(" -12 "));
  EXPECT_TRUE(NotAnInteger("12a"));
  EXPECT_TRUE(NotAnInteger("1.0"));
}

TEST(SpinSteps, IntegerStepsInsideTheRange) {
  EXPECT_EQ(IntStepUp(8, 3, 0, 10), std::nullopt);  // no clamping to the bound
  EXPECT_EQ(IntStepUp(7, 3, 0, 10), 10);
  EXPECT_EQ(IntStepDown(2, 3, 0, 10), std::nullopt);
  EXPECT_EQ(IntStepDown(3, 3, 0, 10), 0);
  EXPECT_EQ(IntStepUp(-50, 1, -100, -10), -49);
  EXPECT_EQ(IntStepUp(1000, 1, 0, 0), 1001);  // unset range
  EXPECT_EQ(IntStepDown(-1000, 1, 0, 0), -1001);
  // At the 32-bit limits a step does nothing instead of wrapping round.
  EXPECT_EQ(IntStepUp(kIntMax, 1, 0, 0), std::nullopt);
  EXPECT_EQ(IntStepDown(kIntMin, 1, 0, 0), std::nullopt);
  EXPECT_EQ(IntStepUp(kIntMax - 1, 1, kIntMin, kIntMax), kIntMax);
  EXPECT_EQ(IntStepDown(kIntMin + 1, 1, kIntMin, kIntMax), kIntMin);
}

TEST(SpinSteps, FloatStepsOnTheGrid) {
  // Clamped to a set bound; nothing from the bound itself.
  EXPECT_EQ(FloatStepUp(0.9, 0.3, 0.3e-6, 0, 1.0), 1.0);
  EXPECT_EQ(FloatStepUp(1.0, 0.3, 0.3e-6, 0, 1.0), std::nullopt);
  EXPECT_EQ(FloatStepDown(0.1, 0.3, 0.3e-6, 0, 1.0), 0.0);
  EXPECT_EQ(FloatStepDown(0.0, 0.3, 0.3e-6, 0, 1.0), std::nullopt);
  // From off the grid the snap truncates towards zero.
  EXPECT_NEAR(*FloatStepUp(0.25, 0.1, 1e-7, 0, 0), 0.3, 1e-15);
  EXPECT_NEAR(*FloatStepDown(0.25, 0.1, 1e-7, 0, 0), 0.1, 1e-15);
  EXPECT_NEAR(*FloatStepDown(0.3, 0.1, 1e-7, 0, 0), 0.2, 1e-15);
  EXPECT_NEAR(*FloatStepUp(0.2, 0.1, 1e-7, 0, 0), 0.3, 1e-15);
  EXPECT_NEAR(*FloatStepDown(-0.25, 0.1, 1e-7, 0, 0), -0.3, 1e-15);
  // Landing within a tenth of a step of the old value takes one more.
  EXPECT_NEAR(*FloatStepUp(0.995, 0.1, 1e-7, 0, 0), 1.1, 1e-15);
  EXPECT_NEAR(*FloatStepDown(-0.995, 0.1, 1e-7, 0, 0), -1.1, 1e-15);
  // With no step the value is written again unchanged.
  EXPECT_EQ(FloatStepUp(0.37, 0, 0, 0, 0), 0.37);
  EXPECT_EQ(FloatStepDown(0.37, 0, 0, 0, 1), 0.37);
  // A quotient beyond 64 bits is a failed step.
  EXPECT_EQ(FloatStepUp(1e20, 1, 1e-6, 0, 0), std::nullopt);
}

TEST(SpinSteps, FloatPLowerBound) {
  EXPECT_EQ(FloatPMinimum(-5), 0);
  EXPECT_EQ(FloatPMinimum(2), 2);
  EXPECT_EQ(FloatStepDown(0.05, 0.1, 1e-7, FloatPMinimum(-5), 1), 0.0);
  EXPECT_EQ(SnapToIncrement(0.37, 0), 0.37);
  EXPECT_EQ(SnapToIncrement(1e300, 1e-300), 1e300);  // the division overflows
}

}  // namespace
