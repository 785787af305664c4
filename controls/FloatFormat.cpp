#include "FloatFormat.h"

#include "DecimalDigits.h"
#include "framework/Exception.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace numtext {
namespace {

constexpr int kGeneralDigits = 15;
// The largest double is 1.7976931348623157E308.
constexpr int kLargestExponent = 308;
constexpr std::string_view kLargestDigits = "179769313486231";

// One section of a pattern, read into what it draws.
struct TSection {
  enum class Kind { Literal, IntDigit, Point, FracDigit, Exponent };
  struct Token {
    Kind kind;
    std::string text;   // Literal
    char letter = 0;    // Exponent: 'E' or 'e'
    bool alwaysSign = false;
    int minDigits = 0;  // Exponent
  };
  std::vector<Token> tokens;
  int intPlaceholders = 0;
  int minIntDigits = 0;   // placeholders from the first '0' of the integer part on
  int fracPlaceholders = 0;
  int minFracDigits = 0;  // up to and including the last '0' of the fraction
  bool grouping = false;
  bool scientific = false;
  bool drawsNumber = false;
};

TSection ParseSection(std::string_view s) {
  TSection sec;
  enum class Part { Int, Frac, AfterExponent } part = Part::Int;
  bool zeroSeen = false;
  auto literal = [&](std::string_view text) {
    if (sec.tokens.empty() || sec.tokens.back().kind != TSection::Kind::Literal)
      sec.tokens.push_back({TSection::Kind::Literal, {}});
    sec.tokens.back().text += text;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\'' || c == '"') {
      const std::size_t close = s.find(c, i + 1);
      const std::size_t end = close == std::string_view::npos ? s.size() : close;
      literal(s.substr(i + 1, end - i - 1));
      i = end;
    } else if ((c == '0' || c == '#') && part == Part::Int) {
      sec.tokens.push_back({TSection::Kind::IntDigit, {}});
      ++sec.intPlaceholders;
      if (c == '0') zeroSeen = true;
      if (zeroSeen) ++sec.minIntDigits;
    } else if ((c == '0' || c == '#') && part == Part::Frac) {
      sec.tokens.push_back({TSection::Kind::FracDigit, {}});
      ++sec.fracPlaceholders;
      if (c == '0') sec.minFracDigits = sec.fracPlaceholders;
    } else if (c == '.' && part == Part::Int) {
      sec.tokens.push_back({TSection::Kind::Point, {}});
      part = Part::Frac;
    } else if (c == ',' && part == Part::Int) {
      sec.grouping = true;
    } else if ((c == 'E' || c == 'e') && part != Part::AfterExponent && i + 2 < s.size() &&
               (s[i + 1] == '+' || s[i + 1] == '-') && s[i + 2] == '0') {
      TSection::Token t{TSection::Kind::Exponent, {}, c, s[i + 1] == '+'};
      i += 2;
      while (i < s.size() && s[i] == '0') {
        ++t.minDigits;
        ++i;
      }
      --i;
      sec.tokens.push_back(t);
      sec.scientific = true;
      part = Part::AfterExponent;
    } else {
      literal(std::string_view(&s[i], 1));
    }
  }
  sec.drawsNumber = sec.intPlaceholders + sec.fracPlaceholders > 0 || sec.scientific;
  return sec;
}

std::vector<std::string_view> SplitSections(std::string_view pattern) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  char quote = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(pattern.substr(start, i - start));
      start = i + 1;
      if (sections.size() == 3) return sections;
    }
  }
  sections.push_back(pattern.substr(start));
  return sections;
}

// The digits one section draws for a value: the integer digits (padded to
// the least count), the fraction digits (trimmed to the least count) and, in
// scientific notation, the exponent.
struct TLaidOut {
  std::string intDigits;
  std::string fracDigits;
  int exponent = 0;
  bool zero = true;
};

TLaidOut LayOut(const TSection& sec, double value) {
  TDecimalDigits d = TDecimalDigits::Of(value);
  TLaidOut out;
  int intCount = 0;  // significant digits before the point
  if (sec.scientific) {
    const int intPlaces = sec.intPlaceholders + sec.fracPlaceholders == 0 ? 1 : sec.intPlaceholders;
    d.RoundToSignificant(intPlaces + sec.fracPlaceholders);
    if (!d.IsZero()) out.exponent = d.Exponent - (intPlaces - 1);
    intCount = d.IsZero() ? 0 : intPlaces;
  } else {
    d.RoundToDecimals(sec.fracPlaceholders);
    intCount = d.IsZero() ? 0 : d.Exponent + 1;
  }
  out.zero = d.IsZero();
  // Split the digits at the point, padding with the zeros they stand for.
  std::string all = d.Digits;
  if (intCount > static_cast<int>(all.size())) all.append(static_cast<std::size_t>(intCount) - all.size(), '0');
  if (intCount >= 0) {
    out.intDigits = all.substr(0, static_cast<std::size_t>(intCount));
    out.fracDigits = all.substr(static_cast<std::size_t>(intCount));
  } else {
    out.fracDigits = std::string(static_cast<std::size_t>(-intCount), '0') + all;
  }
  if (static_cast<int>(out.fracDigits.size()) > sec.fracPlaceholders)
    out.fracDigits.resize(static_cast<std::size_t>(sec.fracPlaceholders));  // only zeros are lost
  while (static_cast<int>(out.fracDigits.size()) > sec.minFracDigits && !out.fracDigits.empty() &&
         out.fracDigits.back() == '0')
    out.fracDigits.pop_back();
  if (static_cast<int>(out.fracDigits.size()) < sec.minFracDigits)
    out.fracDigits.append(static_cast<std::size_t>(sec.minFracDigits) - out.fracDigits.size(), '0');
  if (static_cast<int>(out.intDigits.size()) < sec.minIntDigits)
    out.intDigits.insert(0, static_cast<std::size_t>(sec.minIntDigits) - out.intDigits.size(), '0');
  return out;
}

std::string Render(const TSection& sec, const TLaidOut& lo, char decimalSeparator, char thousandSeparator) {
  std::string out;
  const std::string& s = lo.intDigits;
  const int n = static_cast<int>(s.size());
  auto digit = [&](int k) {
    out += s[static_cast<std::size_t>(k)];
    const int remaining = n - 1 - k;
    if (sec.grouping && thousandSeparator != 0 && remaining > 0 && remaining % 3 == 0)
      out += thousandSeparator;
  };
  // Integer digits with no placeholder of their own go before the point or
  // the exponent, whichever comes first.
  bool intDrawn = sec.intPlaceholders > 0;
  auto drawUnplacedInt = [&] {
    if (intDrawn) return;
    for (int k = 0; k < n; ++k) digit(k);
    intDrawn = true;
  };
  int intIndex = 0;
  int fracIndex = 0;
  for (const TSection::Token& t : sec.tokens) {
    switch (t.kind) {
      case TSection::Kind::Literal:
        out += t.text;
        break;
      case TSection::Kind::IntDigit: {
        // Placeholder i draws digit n - N + i; the first also draws every
        // digit before that.
        const int k = n - sec.intPlaceholders + intIndex;
        if (intIndex == 0) {
          for (int j = 0; j < k; ++j) digit(j);
        }
        if (k >= 0) digit(k);
        ++intIndex;
        break;
      }
      case TSection::Kind::Point:
        drawUnplacedInt();
        if (!lo.fracDigits.empty()) out += decimalSeparator;
        break;
      case TSection::Kind::FracDigit:
        if (fracIndex < static_cast<int>(lo.fracDigits.size())) out += lo.fracDigits[static_cast<std::size_t>(fracIndex)];
        ++fracIndex;
        break;
      case TSection::Kind::Exponent: {
        drawUnplacedInt();
        out += t.letter;
        if (lo.exponent < 0) out += '-';
        else if (t.alwaysSign) out += '+';
        std::string e = std::to_string(std::abs(lo.exponent));
        if (static_cast<int>(e.size()) < t.minDigits) e.insert(0, static_cast<std::size_t>(t.minDigits) - e.size(), '0');
        out += e;
        break;
      }
    }
  }
  return out;
}

}  // namespace

std::string FormatGeneral(double value, char decimalSeparator) {
  if (!std::isfinite(value)) throw EConvertError("A szám nem írható ki");
  TDecimalDigits d = TDecimalDigits::Of(value);
  d.RoundToSignificant(kGeneralDigits);
  if (d.IsZero()) return "0";
  // Rounding the largest doubles up would write a text beyond the double
  // range, which reads as no number at all; they keep the largest 15 digits
  // that still read.
  if (d.Exponent == kLargestExponent && d.Digits > kLargestDigits) d.Digits = kLargestDigits;
  std::string out = d.Negative ? "-" : "";
  const std::string& digits = d.Digits;
  const int count = static_cast<int>(digits.size());
  const int e = d.Exponent;
  if (e >= -5 && e <= 14) {
    if (e >= 0) {
      if (count <= e + 1) {
        out += digits;
        out.append(static_cast<std::size_t>(e + 1 - count), '0');
      } else {
        out += digits.substr(0, static_cast<std::size_t>(e + 1));
        out += decimalSeparator;
        out += digits.substr(static_cast<std::size_t>(e + 1));
      }
    } else {
      out += '0';
      out += decimalSeparator;
      out.append(static_cast<std::size_t>(-e - 1), '0');
      out += digits;
    }
  } else {
    out += digits[0];
    if (count > 1) {
      out += decimalSeparator;
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(e);
  }
  return out;
}

std::string FormatFloat(std::string_view pattern, double value, char decimalSeparator,
                        char thousandSeparator) {
  if (!std::isfinite(value)) throw EConvertError("A szám nem írható ki");
  if (pattern.empty()) return FormatGeneral(value, decimalSeparator);
  const std::vector<std::string_view> sections = SplitSections(pattern);
  auto present = [&](std::size_t i) { return i < sections.size() && !sections[i].empty(); };

  const bool negative = value < 0;
  const bool ownNegative = negative && present(1);
  std::string_view chosen = ownNegative ? sections[1] : sections[0];
  if (chosen.empty()) return FormatGeneral(value, decimalSeparator);

  TSection sec = ParseSection(chosen);
  TLaidOut lo = LayOut(sec, value);
  if (lo.zero) {
    // A value that shows as zero is drawn by the zero section, or by the
    // first one without a minus.
    const std::string_view zeroSection = present(2) ? sections[2] : sections[0];
    if (zeroSection.empty()) return FormatGeneral(0.0, decimalSeparator);
    sec = ParseSection(zeroSection);
    lo = LayOut(sec, 0.0);
    return Render(sec, lo, decimalSeparator, thousandSeparator);
  }
  std::string out = Render(sec, lo, decimalSeparator, thousandSeparator);
  if (negative && !ownNegative && sec.drawsNumber) out.insert(0, 1, '-');
  return out;
}

}  // namespace numtext
