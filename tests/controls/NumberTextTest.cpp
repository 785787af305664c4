#include "controls/NumberText.h"

#include "SeparatorCases.h"
#include "framework/Exception.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

using numtext::TextToFloat;
using numtext::TextToInt;
using numtext::TryTextToFloat;
using numtext::TryTextToInt;

TEST(TextToFloat, AcceptedForms) {
  struct Case {
    const char* text;  // '.' stands for the decimal separator
    double value;
  };
  const Case cases[] = {
      {"1.5", 1.5},       {"  1.5  ", 1.5},  {"-1.5", -1.5},    {"+2", 2},
      {"5.", 5},          {".5", 0.5},       {"1e3", 1000},     {"1E+3", 1000},
      {"1.5e-3", 0.0015}, {"00012", 12},     {"0.1", 0.1},      {"-.25E1", -2.5},
      {"1e-400", 0},      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
  };
  for (const TSeparators& s : kBothSeparators) {
    for (const Case& c : cases) {
      double v = -99;
      EXPECT_TRUE(TryTextToFloat(Localised(c.text, s), s.decimal, v)) << s.name << " " << c.text;
      EXPECT_EQ(v, c.value) << s.name << " " << c.text;
    }
  }
  EXPECT_TRUE(std::signbit(TextToFloat("-0", '.')));
  EXPECT_TRUE(std::signbit(TextToFloat("-1e-999", '.')));
}

TEST(TextToFloat, RefusedForms) {
  const char* cases[] = {
      "",    " ",    "+",   ".",    "1.5.5", "e3",   "1e",  "1e+",  "+-1",  "--1", "1 5",
      "inf", "nan",  "INF", "0x10", "1e3.5", "\t1",  "1.5x", "$10", "1,5e3,", "1e400",
      "-1.7976931348623159e308",  // rounds beyond the largest double
  };
  for (const TSeparators& s : kBothSeparators) {
    for (const char* text : cases) {
      double v = 7;
      EXPECT_FALSE(TryTextToFloat(Localised(text, s), s.decimal, v)) << s.name << " \"" << text << "\"";
      EXPECT_EQ(v, 7) << "a refused text leaves the result alone";
    }
  }
  // The other settings' separator is not a separator, nor a thousands mark.
  EXPECT_THROW(TextToFloat("1.5", ','), EConvertError);
  EXPECT_THROW(TextToFloat("1,5", '.'), EConvertError);
  EXPECT_THROW(TextToFloat("1,234.5", '.'), EConvertError);
  EXPECT_THROW(TextToFloat("1\xA0" "234,5", ','), EConvertError);
}

TEST(TextToInt, AcceptedForms) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"123", 123},           {" -45 ", -45},         {"+7", 7},
      {"2147483647", 2147483647},                     {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"$FF", 255},           {"0x1f", 31},           {"0X1F", 31},
      {"$FFFFFFFF", -1},      {"$80000000", std::numeric_limits<int32_t>::min()},
      {"-$10", -16},          {"$00000000FF", 255},   {"007", 7},
  };
  for (const Case& c : cases) {
    int32_t v = 0;
    EXPECT_TRUE(TryTextToInt(c.text, v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(TextToInt, RefusedForms) {
  const char* cases[] = {"",   "2147483648", "-2147483649", "$100000000", "$",   "0x",  "1.0",
                         "12a", "$ FF",      "1 2",         "--1",        "0x-1", "$$1", "1e3", "+"};
  for (const char* text : cases) {
    int32_t v = 7;
    EXPECT_FALSE(TryTextToInt(text, v)) << "\"" << text << "\"";
    EXPECT_EQ(v, 7);
  }
  EXPECT_THROW(TextToInt("x"), EConvertError);
}

// The conversions must not follow the C library's locale: a host program may
// well call setlocale(LC_ALL, "").
TEST(NumberText, IndependentOfTheCLocale) {
  const char* const names[] = {"hu_HU.UTF-8", "Hungarian_Hungary.1250", ""};
  const char* set = nullptr;
  for (const char* name : names)
    if ((set = std::setlocale(LC_ALL, name)) != nullptr && *std::localeconv()->decimal_point == ',') break;
  if (set == nullptr || *std::localeconv()->decimal_point != ',') {
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no C locale with a decimal comma here";
  }
  double v = 0;
  const bool pointRead = TryTextToFloat("1.5", '.', v);
  const double pointValue = v;
  const bool commaRead = TryTextToFloat("1,5", '.', v);
  std::setlocale(LC_ALL, "C");
  EXPECT_TRUE(pointRead);
  EXPECT_EQ(pointValue, 1.5);
  EXPECT_FALSE(commaRead);
}

}  // namespace
