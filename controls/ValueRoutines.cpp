#include "ValueRoutines.h"

#include "NumberText.h"
#include "ValueText.h"
#include "framework/Exception.h"

int SignOf(double x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;
}

double TruncTolerant(double x) {
  const double r = RoundHalfEven(x - SignOf(x) * 0.4999999999);
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
    throw EConvertError("A szám nem fér el 64 biten");
  return r;
}

bool ContainsChar(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

bool NotAFloat(std::string_view s, char decimalSeparator) {
  double ignored = 0;
  return !numtext::TryTextToFloat(s, decimalSeparator, ignored);
}

bool NotAnInteger(std::string_view s) {
  int32_t ignored = 0;
  return !numtext::TryTextToInt(s, ignored);
}
