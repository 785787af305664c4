#pragma once
// Small routines shared by the typed input controls.

#include <string_view>

// 1 for a positive x, -1 for a negative one, 0 otherwise (NaN included).
int SignOf(double x);

// Truncation towards zero that forgives representation error: a value less
// than about 1e-10 short of the next integer away from zero counts as that
// integer (2.9999999999999996 gives 3, 2.7 gives 2, -2.7 gives -2). Computed
// as x - SignOf(x) * 0.4999999999 rounded half to even. Raises EConvertError
// when the result does not fit a 64-bit integer (NaN and infinities
// included).
double TruncTolerant(double x);

// Whether s contains c.
bool ContainsChar(std::string_view s, char c);

// Whether s fails to convert as a float with the decimal separator, or as a
// 32-bit integer (see NumberText.h for what converts).
bool NotAFloat(std::string_view s, char decimalSeparator);
bool NotAnInteger(std::string_view s);
