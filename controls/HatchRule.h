#pragma once
// The rule the twelve hatch patterns follow, and the layout of their records.
//
// A pattern is 32 x 32 pixels; pixel (x, y) counts x from the left and y from
// the top. It is a line pixel when (x + y) mod P or (x - y) mod P (the
// non-negative remainder) falls in the pattern's set for that direction:
//
//   #  name               P   (x + y) mod P   (x - y) mod P
//   0  BDIAG              8   1               -
//   1  FDIAG              8   -               6
//   2  DIAGCROSS          8   6               2
//   3  BDIAG_200DPI      16   1..3            -
//   4  FDIAG_200DPI      16   -               12..14
//   5  DIAGCROSS_200DPI  16   5..7            8..10
//   6  BDIAG_400DPI      32   17..21          -
//   7  FDIAG_400DPI      32   -               10..14
//   8  DIAGCROSS_400DPI  32   5..9            22..26
//   9  BDIAG_600DPI      32   17..23          -
//  10  FDIAG_600DPI      32   -               8..14
//  11  DIAGCROSS_600DPI  32   5..11           20..26
//
// so the screen patterns draw 1-pixel lines every 8 pixels and the printer
// ones keep their printed spacing and weight at 200, 400 and 600 dpi. The
// names are those of the program's bitmap resources.
//
// A record is 128 bytes: 32 rows from the top, 4 bytes a row; byte k of a row
// holds pixels 8k .. 8k+7, the leftmost in the most significant bit; a set
// bit is a line pixel.

#include <array>
#include <cstdint>

constexpr int HatchPatternCount = 12;
constexpr int HatchPatternSide = 32;
constexpr int HatchRecordSize = HatchPatternSide * HatchPatternSide / 8;

using THatchPattern = std::array<uint8_t, HatchRecordSize>;

// The resource names, in table order.
extern const char* const HatchPatternNames[HatchPatternCount];

// Whether pixel (x, y) of pattern `index` is a line pixel by the rule.
bool HatchRulePixel(int index, int x, int y);
// The whole record of pattern `index` by the rule.
THatchPattern HatchRulePattern(int index);

inline bool HatchPixel(const THatchPattern& p, int x, int y) {
  return (p[4 * y + x / 8] & (0x80 >> (x % 8))) != 0;
}
inline void SetHatchPixel(THatchPattern& p, int x, int y) { p[4 * y + x / 8] |= 0x80 >> (x % 8); }
