#pragma once
// Conversion of texts to numbers with the separators passed in, never by the
// C library's current locale, so the result is the same on every machine and
// under every setlocale().
//
// Floats: leading and trailing spaces, an optional sign, decimal digits with at
// most one decimal separator (at least one digit in all; "5," and ",5" are
// numbers), then optionally E or e, an optional sign and at least one digit.
// Thousands separators are not accepted: no control can type them into a
// number. A value too large for a double is an error; one too small becomes
// zero of the same sign. "INF" and "NAN" are not numbers.
//
// Integers (32-bit signed): leading and trailing spaces, an optional sign,
// then either decimal digits within the 32-bit range, or "$", "0x" or "0X"
// followed by at most eight significant hexadecimal digits. A hexadecimal
// text is a 32-bit pattern: "$FFFFFFFF" is -1, so the text the controls write
// for a negative value reads back as that value; a sign in front negates the
// pattern.
//
// The throwing forms raise EConvertError; the Try forms return false instead.

#include <cstdint>
#include <string_view>

namespace numtext {

bool TryTextToFloat(std::string_view text, char decimalSeparator, double& value);
double TextToFloat(std::string_view text, char decimalSeparator);

bool TryTextToInt(std::string_view text, int32_t& value);
int32_t TextToInt(std::string_view text);

}  // namespace numtext
