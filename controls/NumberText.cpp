#include "NumberText.h"

#include "framework/Exception.h"

#include <charconv>
#include <string>
#include <system_error>

namespace numtext {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

bool TryTextToFloat(std::string_view text, char decimalSeparator, double& value) {
  const std::string_view s = TrimSpaces(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  // The normalised text for from_chars: digits, '.', 'e', exponent digits.
  std::string plain;
  plain.reserve(s.size() + 1);
  int digits = 0;
  bool separator = false;
  // Decimal order of magnitude of the first significant digit, used only to
  // tell overflow from underflow when from_chars reports the range error.
  long long magnitude = 0;
  bool significant = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (IsDigit(c)) {
      ++digits;
      if (c != '0') significant = true;
      if (!separator && significant) ++magnitude;
      if (separator && !significant) --magnitude;
      plain += c;
    } else if (c == decimalSeparator && !separator) {
      separator = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  long long exponent = 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    bool expNegative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    const std::size_t expStart = i;
    plain += expNegative ? "e-" : "e";
    for (; i < s.size() && IsDigit(s[i]); ++i) {
      plain += s[i];
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[i] - '0');
    }
    if (i == expStart) return false;
    if (expNegative) exponent = -exponent;
  }
  if (i != s.size()) return false;

  double result = 0;
  const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
  if (end != plain.data() + plain.size()) return false;
  if (ec == std::errc::result_out_of_range) {
    // The magnitude counts integer digits (d.ddd has magnitude 1) or leading
    // fraction zeros (0.0d has magnitude -1); with the exponent it tells
    // whether the value was too large or too small.
    if (magnitude + exponent > 0) return false;
    result = 0;
  } else if (ec != std::errc()) {
    return false;
  }
  value = negative ? -result : result;
  return true;
}

double TextToFloat(std::string_view text, char decimalSeparator) {
  double value = 0;
  if (!TryTextToFloat(text, decimalSeparator, value))
    throw EConvertError("'" + std::string(text) + "' nem érvényes lebegőpontos érték");
  return value;
}

bool TryTextToInt(std::string_view text, int32_t& value) {
  const std::string_view s = TrimSpaces(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    i += 1;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == s.size()) return false;

  if (hex) {
    uint64_t pattern = 0;
    for (; i < s.size(); ++i) {
      const int d = HexDigit(s[i]);
      if (d < 0) return false;
      pattern = pattern * 16 + static_cast<unsigned>(d);
      if (pattern > 0xFFFFFFFFu) return false;
    }
    uint32_t bits = static_cast<uint32_t>(pattern);
    if (negative) bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
  }

  // Accumulated as a magnitude so that -2147483648 is in range.
  const uint64_t limit = negative ? 2147483648u : 2147483647u;
  uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return false;
    magnitude = magnitude * 10 + static_cast<unsigned>(s[i] - '0');
    if (magnitude > limit) return false;
  }
  value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                   : static_cast<int32_t>(magnitude);
  return true;
}

int32_t TextToInt(std::string_view text) {
  int32_t value = 0;
  if (!TryTextToInt(text, value))
    throw EConvertError("'" + std::string(text) + "' nem érvényes egész érték");
  return value;
}

}  // namespace numtext
