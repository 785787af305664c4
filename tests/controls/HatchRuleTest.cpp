// The hatch patterns' rule: rows worked out by hand from the table of
// periods and remainders, and the line widths and spacings it promises.
#include <gtest/gtest.h>

#include "controls/HatchRule.h"

namespace {

struct TRow {
  int Pattern, Y;
  std::array<uint8_t, 4> Bytes;
};

const TRow HandRows[] = {
    {0, 0, {0x40, 0x40, 0x40, 0x40}},   // BDIAG: (x+y) mod 8 = 1 at x = 1, 9, ...
    {0, 1, {0x80, 0x80, 0x80, 0x80}},
    {1, 0, {0x02, 0x02, 0x02, 0x02}},   // FDIAG: (x-y) mod 8 = 6
    {1, 7, {0x04, 0x04, 0x04, 0x04}},   // x - 7 = -2, a non-negative remainder of 6
    {2, 0, {0x22, 0x22, 0x22, 0x22}},   // DIAGCROSS: x = 6 and x = 2
    {3, 0, {0x70, 0x00, 0x70, 0x00}},   // BDIAG_200DPI: 1..3 every 16
    {4, 0, {0x00, 0x0E, 0x00, 0x0E}},   // FDIAG_200DPI: 12..14
    {6, 0, {0x00, 0x00, 0x7C, 0x00}},   // BDIAG_400DPI: 17..21
    {9, 0, {0x00, 0x00, 0x7F, 0x00}},   // BDIAG_600DPI: 17..23
    {10, 0, {0x00, 0xFE, 0x00, 0x00}},  // FDIAG_600DPI: 8..14
    {10, 31, {0x01, 0xFC, 0x00, 0x00}}, // x - 31 in 8..14: x in 39..45, i.e. 7..13
    {11, 0, {0x07, 0xF0, 0x0F, 0xE0}},  // DIAGCROSS_600DPI: 5..11 and 20..26
};

TEST(HatchRule, RowsWorkedOutByHand) {
  for (const TRow& row : HandRows) {
    const THatchPattern p = HatchRulePattern(row.Pattern);
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(p[4 * row.Y + k], row.Bytes[k]) << HatchPatternNames[row.Pattern] << " row " << row.Y << " byte " << k;
  }
}

// Along a row, a single-direction pattern has lines of its width every period:
// 1 of 8 on screen, 3 of 16 at 200 dpi, 5 and 7 of 32 at 400 and 600 dpi.
TEST(HatchRule, LineWidthsAndSpacings) {
  const struct {
    int Pattern, Width, Period;
  } cases[] = {{0, 1, 8}, {1, 1, 8}, {3, 3, 16}, {4, 3, 16}, {6, 5, 32}, {7, 5, 32}, {9, 7, 32}, {10, 7, 32}};
  for (const auto& c : cases) {
    const THatchPattern p = HatchRulePattern(c.Pattern);
    for (int y = 0; y < HatchPatternSide; ++y) {
      int set = 0;
      for (int x = 0; x < HatchPatternSide; ++x) set += HatchPixel(p, x, y);
      EXPECT_EQ(set, c.Width * HatchPatternSide / c.Period) << HatchPatternNames[c.Pattern] << " row " << y;
    }
  }
}

}  // namespace
