#pragma once
// TDecimalDigits: a finite double as decimal digits, for the formatters.
// The digits are those of the shortest text that reads back as the same
// double; rounding works on them, halves away from zero.

#include <string>

namespace numtext {

struct TDecimalDigits {
  // Significant digits without leading or trailing zeros; empty for zero.
  std::string Digits;
  // The value is Digits[0].Digits[1..] x 10^Exponent (0 for zero).
  int Exponent = 0;
  bool Negative = false;

  bool IsZero() const { return Digits.empty(); }

  // Requires a finite value.
  static TDecimalDigits Of(double value);

  // Keeps `count` significant digits (count may be zero or negative: the
  // value then rounds to zero or to one unit of the place 10^(Exponent-count+1)).
  void RoundToSignificant(int count);
  // Keeps `decimals` digits after the decimal point.
  void RoundToDecimals(int decimals) { RoundToSignificant(Exponent + 1 + decimals); }
};

}  // namespace numtext
