#include "controls/HatchRule.h"

const char* const HatchPatternNames[HatchPatternCount] = {
    "BDIAG",        "FDIAG",        "DIAGCROSS",        "BDIAG_200DPI", "FDIAG_200DPI", "DIAGCROSS_200DPI",
    "BDIAG_400DPI", "FDIAG_400DPI", "DIAGCROSS_400DPI", "BDIAG_600DPI", "FDIAG_600DPI", "DIAGCROSS_600DPI"};

namespace {

// A set of remainders first .. last; first > last is the empty set.
struct TRange {
  int First, Last;
  bool Holds(int r) const { return r >= First && r <= Last; }
};
constexpr TRange None{1, 0};

struct TRule {
  int Period;
  TRange Sum;   // (x + y) mod Period
  TRange Diff;  // (x - y) mod Period
};

constexpr TRule Rules[HatchPatternCount] = {
    {8, {1, 1}, None},    {8, None, {6, 6}},     {8, {6, 6}, {2, 2}},
    {16, {1, 3}, None},   {16, None, {12, 14}},  {16, {5, 7}, {8, 10}},
    {32, {17, 21}, None}, {32, None, {10, 14}},  {32, {5, 9}, {22, 26}},
    {32, {17, 23}, None}, {32, None, {8, 14}},   {32, {5, 11}, {20, 26}},
};

int Mod(int a, int p) { return ((a % p) + p) % p; }

}  // namespace

bool HatchRulePixel(int index, int x, int y) {
  const TRule& r = Rules[index];
  return r.Sum.Holds(Mod(x + y, r.Period)) || r.Diff.Holds(Mod(x - y, r.Period));
}

THatchPattern HatchRulePattern(int index) {
  THatchPattern p{};
  for (int y = 0; y < HatchPatternSide; ++y)
    for (int x = 0; x < HatchPatternSide; ++x)
      if (HatchRulePixel(index, x, y)) SetHatchPixel(p, x, y);
  return p;
}
