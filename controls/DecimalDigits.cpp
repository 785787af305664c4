#include "DecimalDigits.h"

#include <charconv>
#include <cmath>

namespace numtext {

TDecimalDigits TDecimalDigits::Of(double value) {
  TDecimalDigits d;
  d.Negative = std::signbit(value);
  if (value == 0) return d;
  // Shortest round-trip form in scientific notation: "-d.ddde+xx".
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                    std::chars_format::scientific);
  const char* p = buf;
  for (; p != result.ptr && *p != 'e'; ++p)
    if (*p != '.') d.Digits += *p;
  // The exponent: 'e', a sign, at most three digits.
  if (p != result.ptr) ++p;
  const bool negativeExponent = p != result.ptr && *p == '-';
  if (p != result.ptr && (*p == '-' || *p == '+')) ++p;
  for (; p != result.ptr; ++p) d.Exponent = d.Exponent * 10 + (*p - '0');
  if (negativeExponent) d.Exponent = -d.Exponent;
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  return d;
}

void TDecimalDigits::RoundToSignificant(int count) {
  if (IsZero() || count >= static_cast<int>(Digits.size())) return;
  if (count < 0) {
    Digits.clear();
    Exponent = 0;
    return;
  }
  const bool up = Digits[static_cast<std::size_t>(count)] >= '5';
  Digits.resize(static_cast<std::size_t>(count));
  if (up) {
    // Carry from the last kept digit; all nines become one more place.
    std::size_t i = Digits.size();
    while (i > 0 && Digits[i - 1] == '9') --i;
    if (i == 0) {
      Digits = "1";
      ++Exponent;
    } else {
      Digits.resize(i);
      ++Digits[i - 1];
    }
  }
  while (!Digits.empty() && Digits.back() == '0') Digits.pop_back();
  if (Digits.empty()) Exponent = 0;
}

}  // namespace numtext
