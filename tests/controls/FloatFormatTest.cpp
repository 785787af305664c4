#include "controls/FloatFormat.h"
#include "controls/NumberText.h"

#include "SeparatorCases.h"
#include "framework/Exception.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

using numtext::FormatFloat;
using numtext::FormatGeneral;

struct Case {
  const char* pattern;
  double value;
  const char* english;  // '.' and ',' become the settings' separators
};

void CheckFormats(const Case* begin, const Case* end) {
  for (const TSeparators& s : kBothSeparators)
    for (const Case* c = begin; c != end; ++c)
      EXPECT_EQ(FormatFloat(c->pattern, c->value, s.decimal, s.thousand), Localised(c->english, s))
          << s.name << ": pattern \"" << c->pattern << "\", value " << c->value;
}

TEST(FormatFloat, DigitsAndSeparators) {
  const Case cases[] = {
      {"0.00", 2, "2.00"},
      {"#0.###", 2, "2"},          // no fraction digit, no separator
      {"#0.###", 2.5, "2.5"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", 0, "0"},
      {"0,000", 5, "0,005"},       // padding zeros are grouped too
      {"#,##0", 999.5, "1,000"},   // rounding carries into a new group
      {"#.##", 0.5, ".5"},
      {"0.##", 0.5, "0.5"},
      {"000", 7, "007"},
      {"#", 0, ""},
      {"0.00", 1e15, "1000000000000000.00"},
      {"0.00", 123.456, "123.46"},
      {"0.#0#", 1.2, "1.20"},      // at least up to the last '0'
      {".00", 12.5, "12.50"},      // integer digits without a placeholder
      {"00-00", 1234, "12-34"},
      {"00-00", 123456, "1234-56"},  // surplus digits at the first placeholder
  };
  CheckFormats(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, RoundsHalvesAwayFromZero) {
  const Case cases[] = {
      {"0", 2.5, "3"},       {"0", -2.5, "-3"},     {"0", 3.5, "4"},      {"0", 0.4, "0"},
      {"0.00", 2.675, "2.68"},  // held as 2.67499999..., written 2.675
      {"0.00", -2.675, "-2.68"}, {"0.00", 1.005, "1.01"},   {"0.0", 0.05, "0.1"},
      {"0.0", 0.04999, "0.0"},   {"0.00", 0.1 + 0.2, "0.30"}, {"0.000", 9.9995, "10.000"},
  };
  CheckFormats(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, Sections) {
  const Case cases[] = {
      {"0.00;(0.00)", -5, "(5.00)"},   // the negative section draws no minus
      {"0.00;", -5, "-5.00"},          // an empty one falls back to the first
      {"0.00", -5, "-5.00"},
      {"0.00;;'nulla'", 0, "nulla"},
      {"0.00;;'nulla'", 0.001, "nulla"},   // shows as zero
      {"0.00;(0.00);'nulla'", -0.001, "nulla"},
      {"0.00", -0.001, "0.00"},        // no minus on a zero
      {"0.00", -0.0, "0.00"},
      {";0", 5, "5"},                  // empty first section: general format
      {"0;-0;0;ignored", -1, "-1"},
  };
  CheckFormats(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, Scientific) {
  const Case cases[] = {
      {"0.00E+00", 1234, "1.23E+03"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.00E-00", 1234, "1.23E03"},
      {"0.00e-0", 0.00123, "1.23e-3"},
      {"00.0E+0", 1234, "12.3E+2"},
      {"0.0E+0", 9.99, "1.0E+1"},       // the carry moves the exponent
      {"0.###E+000", 1e100, "1E+100"},
      {"0.00E+00", 0, "0.00E+00"},
      {"0.00E+00", -1234, "-1.23E+03"},
      {".00E+0", 12.5, ".13E+2"},
      {"0E+0", 5e-324, "5E-324"},
  };
  CheckFormats(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, LiteralText) {
  // Literal commas and points must not be localised here.
  EXPECT_EQ(FormatFloat("0 'kg'", 12, ',', '\xA0'), "12 kg");
  EXPECT_EQ(FormatFloat("\"x;y\"0", 3, ',', '\xA0'), "x;y3");
  EXPECT_EQ(FormatFloat("'a.b,c' 0.0", 3, ',', '\xA0'), "a.b,c 3,0");
  EXPECT_EQ(FormatFloat("Ft #,##0", 1500, ',', '\xA0'), "Ft 1\xA0" "500");
  EXPECT_EQ(FormatFloat("0E", 3, '.', ','), "3E");             // E without a sign is text
  EXPECT_EQ(FormatFloat("'unclosed 0", 3, '.', ','), "unclosed 0");
  EXPECT_EQ(FormatFloat("'kész'", 3, '.', ','), "kész");       // no placeholder: no number
  EXPECT_EQ(FormatFloat("#,##0", 1234567, '.', 0), "1234567");  // no thousands character
}

TEST(FormatGeneral, FifteenDigitsPlainOrScientific) {
  const Case cases[] = {
      {"", 0, "0"},
      {"", -0.0, "0"},
      {"", 1.5, "1.5"},
      {"", -1.5, "-1.5"},
      {"", 0.1 + 0.2, "0.3"},
      {"", 1.0 / 3, "0.333333333333333"},
      {"", 2.0 / 3, "0.666666666666667"},
      {"", 1e14, "100000000000000"},
      {"", 999999999999999.9, "1E15"},   // rounding makes the exponent 15
      {"", 1e15, "1E15"},
      {"", 1e20, "1E20"},
      {"", 123456789012345678.0, "1.23456789012346E17"},
      {"", 0.00001, "0.00001"},
      {"", 0.0000125, "0.0000125"},
      {"", 1e-6, "1E-6"},
      {"", 1.5e-7, "1.5E-7"},
      {"", -2.5e-300, "-2.5E-300"},
      {"", std::numeric_limits<double>::max(), "1.79769313486231E308"},  // still reads
      {"", -std::numeric_limits<double>::max(), "-1.79769313486231E308"},
      {"", 1.7976931348623155e308, "1.79769313486231E308"},
      {"", 1.79769313486231e308, "1.79769313486231E308"},
      {"", 1.7976931348623e308, "1.7976931348623E308"},
      {"", std::numeric_limits<double>::denorm_min(), "5E-324"},
      {"", 2147483647, "2147483647"},
  };
  CheckFormats(std::begin(cases), std::end(cases));
}

TEST(FormatGeneral, LargestDoublesReadBack) {
  const double largest = std::numeric_limits<double>::max();
  for (double v : {largest, std::nextafter(largest, 0.0), 1.7976931348623153e308, 1.79769313486231e308}) {
    double back = 0;
    EXPECT_TRUE(numtext::TryTextToFloat(FormatGeneral(v, ','), ',', back)) << v;
    EXPECT_NEAR(back, v, v * 1e-14);
  }
}

TEST(FormatFloat, NoTextForInfinityOrNaN) {
  for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(FormatFloat("0.00", v, '.', ','), EConvertError);
    EXPECT_THROW(FormatGeneral(v, '.'), EConvertError);
  }
}

TEST(FormatFloat, IndependentOfTheCLocale) {
  if (std::setlocale(LC_ALL, "hu_HU.UTF-8") == nullptr && std::setlocale(LC_ALL, "") == nullptr)
    GTEST_SKIP() << "no other C locale here";
  const std::string general = FormatGeneral(1.5e-7, '.');
  const std::string fixed = FormatFloat("#,##0.00", 1234.5, '.', ',');
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(general, "1.5E-7");
  EXPECT_EQ(fixed, "1,234.50");
}

}  // namespace
