#pragma once
// Conversion between a typed input control's text and its value, as pure
// functions of what the control holds. The conversion events stay with the
// controls: a control passes an assigned event as a callable.
//
// Reading: while the text is not modified by the user the value is the one
// last assigned (StoredValue), exactly; otherwise the text is converted:
// edtHex as a hexadecimal 32-bit integer, every other type (edtChar and
// edtBin included: "101" reads as one hundred and one) as a float with the
// decimal separator. Integer results of a float are rounded half to even
// (2.5 reads 2). Any failure, the event's included, reads as 0.
//
// Writing: edtHex as upper-case hexadecimal without prefix or leading zeros,
// a negative integer value as its 32-bit two's complement and a negative
// float value (rounded) as its 64-bit one; every other type through the
// ValueFmt pattern (see FloatFormat.h). Any failure writes "0".

#include "EditType.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Rounds to the nearest integer, halves to the even neighbour, whatever the
// floating-point rounding mode. Non-finite values are returned unchanged.
double RoundHalfEven(double x);

// x rounded half to even as a 32-bit integer; values beyond the range
// saturate at its ends (so range checks still see them as too large or too
// small). NaN raises EConvertError.
int32_t RoundToInt32(double x);

// The text converted as the control type reads it; raises EConvertError.
double TextToValueExt(std::string_view text, TEditType type, char decimalSeparator);
int32_t TextToValueInt(std::string_view text, TEditType type, char decimalSeparator);

struct TValueReading {
  bool Modified = false;
  double StoredValue = 0;
  std::string_view Text;
  TEditType EditType = edtChar;
  char DecimalSeparator = '.';
  // The control's OnStrToVal, when assigned; whatever it throws reads as 0.
  std::function<double(std::string_view)> StrToVal;
};

// The value a control reports through ValueExt and ValueInt; never throws.
double ValueExtOf(const TValueReading& r);
int32_t ValueIntOf(const TValueReading& r);

// Upper-case hexadecimal without prefix or leading zeros ("0" for zero).
std::string HexText(uint64_t bits);

struct TValueWriting {
  TEditType EditType = edtChar;
  std::string_view ValueFmt;
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
};

// The text for a value as the type writes it; raises EConvertError.
std::string FormatValueInt(int32_t v, const TValueWriting& w);
std::string FormatValueExt(double x, const TValueWriting& w);

// The text a control shows after ValueInt := v or ValueExt := x, with the
// control's OnIntValToStr or OnValToStr when assigned; "0" when anything
// throws. Never throws.
std::string ValueIntText(int32_t v, const TValueWriting& w,
                         const std::function<std::string(int32_t)>& intValToStr = {});
std::string ValueExtText(double x, const TValueWriting& w,
                         const std::function<std::string(double)>& valToStr = {});
