#pragma once
// Formatting of doubles through a pattern, with the separators passed in (the
// C library's locale is never consulted).
//
// A pattern has up to three sections separated by ';': positive, negative and
// zero. A missing or empty negative or zero section falls back to the first;
// the first section draws a minus sign in front of a negative value, the
// negative section draws none. The zero section is used when the value, as
// rounded by the section its sign chose, shows as zero.
//
// Inside a section:
//   0     a digit, always shown
//   #     a digit, shown only when significant
//   .     the first one marks the decimal separator, drawn as decimalSeparator
//         and only when a fraction digit follows
//   ,     before the decimal point: group the integer digits by three with
//         thousandSeparator (0 draws none); the comma itself is not drawn
//   E+0 E-0 e+0 e-0   scientific notation; the number of 0s is the least
//         number of exponent digits; + always shows the exponent's sign,
//         - only a minus
//   '...' "..."   copied as it stands, without the quotes
// Any other character is copied. The integer digits that do not fit the
// integer placeholders are drawn at the first of them; in scientific notation
// the mantissa has as many integer digits as there are integer placeholders.
// A section without any digit placeholder or exponent draws only its text.
//
// Rounding is to the digits the section shows, halves away from zero. Halves
// are judged on the shortest decimal text that reads back as the same double,
// so 2.675 (held as 2.67499999...) shows as 2.68 with "0.00", as a person
// expects.
//
// The empty pattern, or an empty chosen section, gives the general format: at
// most 15 significant digits, no trailing zeros, plain notation while the
// decimal exponent is between -5 and 14, otherwise "1.5E-7" or "1E20". The
// few doubles above 1.79769313486231E308 are written as that, since their
// rounded text would not read back as a number.
//
// Infinities and NaN have no text: they raise EConvertError.

#include <string>
#include <string_view>

namespace numtext {

std::string FormatFloat(std::string_view pattern, double value, char decimalSeparator,
                        char thousandSeparator);

// The general format alone (the empty pattern).
std::string FormatGeneral(double value, char decimalSeparator);

}  // namespace numtext
