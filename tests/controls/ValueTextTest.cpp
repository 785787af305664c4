#include "controls/ValueText.h"

#include "SeparatorCases.h"
#include "framework/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TValueReading Typed(std::string_view text, TEditType type, char sep = '.') {
  TValueReading r;
  r.Modified = true;
  r.Text = text;
  r.EditType = type;
  r.DecimalSeparator = sep;
  return r;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, double> cases[] = {
      {2.5, 2},   {3.5, 4},   {-2.5, -2}, {-3.5, -4}, {0.5, 0},  {1.5, 2},
      {7.6, 8},   {2.4999999999999996, 2}, {-7.6, -8}, {4503599627370497.0, 4503599627370497.0},
  };
  for (auto [x, r] : cases) EXPECT_EQ(RoundHalfEven(x), r) << x;
  EXPECT_EQ(RoundToInt32(1e12), kIntMax);
  EXPECT_EQ(RoundToInt32(-1e12), kIntMin);
  EXPECT_EQ(RoundToInt32(-2147483648.4), kIntMin);
  EXPECT_THROW(RoundToInt32(kNaN), EConvertError);
}

TEST(ValueReading, StoredValueUntilTheUserEdits) {
  TValueReading r = Typed("0.3", edtFloat);
  r.Modified = false;
  r.StoredValue = 0.1 + 0.2;  // the text shows it rounded
  EXPECT_EQ(ValueExtOf(r), 0.1 + 0.2);
  r.StoredValue = 7;
  EXPECT_EQ(ValueExtOf(r), 7);
  EXPECT_EQ(ValueIntOf(r), 7);
  r.StoredValue = 2.5;
  EXPECT_EQ(ValueIntOf(r), 2);
  r.StoredValue = kNaN;
  EXPECT_EQ(ValueIntOf(r), 0);
  r.StrToVal = [](std::string_view) -> double { throw Exception("not called"); };
  r.StoredValue = 5;
  EXPECT_EQ(ValueExtOf(r), 5);
}

TEST(ValueReading, TypedText) {
  struct Case {
    TEditType type;
    const char* text;  // '.' stands for the decimal separator
    double ext;
    int32_t integer;
  };
  const Case cases[] = {
      {edtFloat, "7.6", 7.6, 8},     {edtFloat, "2.5", 2.5, 2},      {edtFloat, "-2.5", -2.5, -2},
      {edtFloat, "1E3", 1000, 1000}, {edtFloat, "abc", 0, 0},        {edtFloat, "", 0, 0},
      {edtFloat, "1e10", 1e10, kIntMax},
      {edtHex, "ff", 255, 255},      {edtHex, "FFFFFFFF", -1, -1},   {edtHex, "1FFFFFFFF", 0, 0},
      {edtHex, "xyz", 0, 0},         {edtHex, "", 0, 0},
      {edtBin, "101", 101, 101},     // read as a decimal number
      {edtChar, "12", 12, 12},       {edtChar, "abc", 0, 0},
      {edtInteger, "-42", -42, -42}, {edtCardinal, "4294967295", 4294967295.0, kIntMax},
  };
  for (const TSeparators& s : kBothSeparators) {
    for (const Case& c : cases) {
      const std::string text = Localised(c.text, s);
      const TValueReading r = Typed(text, c.type, s.decimal);
      EXPECT_EQ(ValueExtOf(r), c.ext) << s.name << " " << int(c.type) << " \"" << c.text << "\"";
      EXPECT_EQ(ValueIntOf(r), c.integer) << s.name << " " << int(c.type) << " \"" << c.text << "\"";
    }
  }
  EXPECT_EQ(ValueExtOf(Typed("2.5", edtFloat, ',')), 0);  // the other separator
  EXPECT_THROW(TextToValueExt("2.5", edtFloat, ','), EConvertError);
  EXPECT_THROW(TextToValueInt("g", edtHex, ','), EConvertError);
}

TEST(ValueReading, ConversionEvent) {
  TValueReading r = Typed("egy", edtFloat);
  r.StrToVal = [](std::string_view s) { return s == "egy" ? 1.5 : 0.0; };
  EXPECT_EQ(ValueExtOf(r), 1.5);
  EXPECT_EQ(ValueIntOf(r), 2);
  r.StrToVal = [](std::string_view) -> double { throw Exception("rossz"); };
  EXPECT_EQ(ValueExtOf(r), 0);
  EXPECT_EQ(ValueIntOf(r), 0);
  r.StrToVal = [](std::string_view) -> double { throw 42; };
  EXPECT_EQ(ValueExtOf(r), 0);
}

TEST(ValueWriting, Hexadecimal) {
  const TValueWriting hex{edtHex, "0.00", ',', '\xA0'};
  EXPECT_EQ(ValueIntText(255, hex), "FF");
  EXPECT_EQ(ValueIntText(0, hex), "0");
  EXPECT_EQ(ValueIntText(-1, hex), "FFFFFFFF");
  EXPECT_EQ(ValueIntText(kIntMin, hex), "80000000");
  EXPECT_EQ(ValueExtText(-1, hex), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(ValueExtText(2.5, hex), "2");
  EXPECT_EQ(ValueExtText(4294967296.0, hex), "100000000");
  EXPECT_EQ(ValueExtText(-9223372036854775808.0, hex), "8000000000000000");
  EXPECT_EQ(ValueExtText(9223372036854775808.0, hex), "0");  // beyond 64 bits
  EXPECT_EQ(ValueExtText(kNaN, hex), "0");
  EXPECT_THROW(FormatValueExt(1e30, hex), EConvertError);
  // What is written reads back.
  EXPECT_EQ(ValueIntOf(Typed(ValueIntText(-123456, hex), edtHex)), -123456);
}

TEST(ValueWriting, ThroughThePattern) {
  for (const TSeparators& s : kBothSeparators) {
    EXPECT_EQ(ValueExtText(2, {edtFloat, "0.00", s.decimal, s.thousand}), Localised("2.00", s));
    EXPECT_EQ(ValueExtText(2, {edtFloat, "#0.###", s.decimal, s.thousand}), "2");
    EXPECT_EQ(ValueExtText(2.5, {edtFloat, "#0.###", s.decimal, s.thousand}), Localised("2.5", s));
    EXPECT_EQ(ValueExtText(1.5e-7, {edtFloat, "", s.decimal, s.thousand}), Localised("1.5E-7", s));
    EXPECT_EQ(ValueIntText(kIntMin, {edtInteger, "", s.decimal, s.thousand}), "-2147483648");
    EXPECT_EQ(ValueIntText(1234, {edtInteger, "#,##0", s.decimal, s.thousand}), Localised("1,234", s));
    EXPECT_EQ(ValueExtText(std::numeric_limits<double>::infinity(), {edtFloat, "", s.decimal, s.thousand}), "0");
  }
}

TEST(ValueWriting, ConversionEvents) {
  const TValueWriting w{edtFloat, "", '.', ','};
  EXPECT_EQ(ValueExtText(1.5, w, [](double v) { return v == 1.5 ? "másfél" : "?"; }), "másfél");
  EXPECT_EQ(ValueIntText(3, w, [](int32_t v) { return std::string(static_cast<std::size_t>(v), 'x'); }), "xxx");
  EXPECT_EQ(ValueExtText(1.5, w, [](double) -> std::string { throw Exception("hiba"); }), "0");
  EXPECT_EQ(ValueIntText(1, w, [](int32_t) -> std::string { throw Exception("hiba"); }), "0");
}

}  // namespace
