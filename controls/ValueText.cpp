#include "ValueText.h"

#include "FloatFormat.h"
#include "NumberText.h"
#include "framework/Exception.h"

#include <cmath>
#include <limits>

double RoundHalfEven(double x) {
  if (!std::isfinite(x)) return x;
  const double floor = std::floor(x);
  const double diff = x - floor;  // exact for every double
  if (diff > 0.5) return floor + 1;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int32_t RoundToInt32(double x) {
  if (std::isnan(x)) throw EConvertError("A szám nem kerekíthető egészre");
  const double r = RoundHalfEven(x);
  if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

double TextToValueExt(std::string_view text, TEditType type, char decimalSeparator) {
  if (type == edtHex) return numtext::TextToInt("$" + std::string(text));
  return numtext::TextToFloat(text, decimalSeparator);
}

int32_t TextToValueInt(std::string_view text, TEditType type, char decimalSeparator) {
  if (type == edtHex) return numtext::TextToInt("$" + std::string(text));
  return RoundToInt32(numtext::TextToFloat(text, decimalSeparator));
}

double ValueExtOf(const TValueReading& r) {
  if (!r.Modified) return r.StoredValue;
  try {
    if (r.StrToVal) return r.StrToVal(r.Text);
    return TextToValueExt(r.Text, r.EditType, r.DecimalSeparator);
  } catch (...) {
    return 0;
  }
}

int32_t ValueIntOf(const TValueReading& r) {
  try {
    if (!r.Modified) return RoundToInt32(r.StoredValue);
    if (r.StrToVal) return RoundToInt32(r.StrToVal(r.Text));
    return TextToValueInt(r.Text, r.EditType, r.DecimalSeparator);
  } catch (...) {
    return 0;
  }
}

std::string HexText(uint64_t bits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[bits & 15]);
    bits >>= 4;
  } while (bits != 0);
  return out;
}

std::string FormatValueInt(int32_t v, const TValueWriting& w) {
  if (w.EditType == edtHex) return HexText(static_cast<uint32_t>(v));
  return numtext::FormatFloat(w.ValueFmt, v, w.DecimalSeparator, w.ThousandSeparator);
}

std::string FormatValueExt(double x, const TValueWriting& w) {
  if (w.EditType == edtHex) {
    const double r = RoundHalfEven(x);
    // [-2^63, 2^63): the values a 64-bit integer holds.
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
      throw EConvertError("A szám nem fér el 64 biten");
    return HexText(static_cast<uint64_t>(static_cast<int64_t>(r)));
  }
  return numtext::FormatFloat(w.ValueFmt, x, w.DecimalSeparator, w.ThousandSeparator);
}

std::string ValueIntText(int32_t v, const TValueWriting& w,
                         const std::function<std::string(int32_t)>& intValToStr) {
  try {
    return intValToStr ? intValToStr(v) : FormatValueInt(v, w);
  } catch (...) {
    return "0";
  }
}

std::string ValueExtText(double x, const TValueWriting& w,
                         const std::function<std::string(double)>& valToStr) {
  try {
    return valToStr ? valToStr(x) : FormatValueExt(x, w);
  } catch (...) {
    return "0";
  }
}
