// Where the pieces of a label with index markup go, measured with made-up
// widths: main font 10 pixels a character, index font 6, symbol font 11.

#include "controls/TexLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class TFakeMeasurer : public TTexMeasurer {
public:
  std::map<char, TTexABC> abc;  // main font only; others cannot tell

  int Width(TTexFont font, std::string_view text) override {
    static const int perChar[] = {10, 6, 11};
    return perChar[static_cast<int>(font)] * static_cast<int>(text.size());
  }
  std::optional<TTexABC> ABC(TTexFont font, char c) override {
    if (font != TTexFont::Main) return std::nullopt;
    auto it = abc.find(c);
    if (it == abc.end()) return TTexABC{0, 10, 0};
    return it->second;
  }
};

struct TPieceCase {
  std::string text;
  TTexFont font;
  int cur;
  int v;
};

std::string Describe(const TTexLayout& l) {
  std::string s;
  for (const TTexPiece& p : l.Pieces)
    s += "[" + std::string(p.Text) + " f" + std::to_string(static_cast<int>(p.Font)) + " @" +
         std::to_string(p.Cur) + " v" + std::to_string(p.V) + "]";
  return s + " adv " + std::to_string(l.Advance);
}

TEST(TexSizes, FollowTheMainFontSize) {
  struct TCase {
    int height, labelIndexSize;
    TTexSizes expected;
  };
  const TCase cases[] = {
      {-12, 80, {80, -33, 33, -10, -13}},  // -9.6 rounds to -10
      {12, 80, {80, -33, 33, 10, 13}},
      {-13, 50, {50, -33, 33, -7, -14}},  // -6.5 rounds away from zero
      {-14, 50, {70, -35, 20, -10, -15}},
      {-16, 80, {70, -35, 20, -11, -18}},
  };
  for (const TCase& c : cases) {
    TTexSizes s = TexSizesFor(c.height, c.labelIndexSize);
    SCOPED_TRACE(c.height);
    EXPECT_EQ(s.IndexSize, c.expected.IndexSize);
    EXPECT_EQ(s.SuperOffset, c.expected.SuperOffset);
    EXPECT_EQ(s.SubOffset, c.expected.SubOffset);
    EXPECT_EQ(s.IndexHeight, c.expected.IndexHeight);
    EXPECT_EQ(s.SymbolHeight, c.expected.SymbolHeight);
  }
  EXPECT_EQ(MulDivRound(12, -33, 100), -4);
  EXPECT_EQ(MulDivRound(16, -35, 100), -6);
  EXPECT_EQ(MulDivRound(16, 20, 100), 3);
  EXPECT_EQ(MulDivRound(1, 1, 2), 1);
  EXPECT_EQ(MulDivRound(-1, 1, 2), -1);
  EXPECT_EQ(MulDivRound(5, 5, 0), -1);
  EXPECT_EQ(MulDivRound(0x40000000, 8, 1), -1);
}

TEST(TexLayout, PlacesIndicesSymbolsAndGaps) {
  struct TCase {
    const char* text;
    std::vector<TPieceCase> pieces;
    int advance;
  };
  const TTexFont M = TTexFont::Main, I = TTexFont::Index, S = TTexFont::Symbol;
  // 12-pixel font: indices 4 pixels up or down.
  const TCase cases[] = {
      {"H_2O", {{"H", M, 0, 0}, {"2", I, 10, 4}, {"O", M, 18, 0}}, 28},
      {"x_i^2", {{"x", M, 0, 0}, {"i", I, 10, 4}, {"2", I, 10, -4}}, 16},
      {"x^2", {{"x", M, 0, 0}, {"2", I, 10, -4}}, 16},
      {"mm^2/m", {{"mm", M, 0, 0}, {"2", I, 20, -4}, {"/m", M, 28, 0}}, 48},
      {"\\a", {{"a", S, 0, 0}}, 11},
      {"x^\\a", {{"x", M, 0, 0}, {"a", S, 10, -4}}, 21},
      {"x_\\a", {{"x", M, 0, 0}, {"a", S, 10, 4}}, 21},
      {"x_i\\b", {{"x", M, 0, 0}, {"i", I, 10, 4}, {"b", S, 18, 0}}, 29},
      {"x_i_j", {{"x", M, 0, 0}, {"i", I, 10, 4}, {"j", I, 16, 4}}, 22},
      {"x^i^j", {{"x", M, 0, 0}, {"i", I, 10, -4}, {"j", I, 16, -4}}, 22},
      {"a^", {{"a", M, 0, 0}}, 10},
      {"a~", {{"a", M, 0, 0}}, 10},
      {"a~b", {{"a", M, 0, 0}, {"b", M, 10, 0}}, 20},
      {"^2", {{"2", I, 0, -4}}, 6},
      {"__", {{"_", I, 0, 4}}, 6},
      {"^", {}, 0},
      {"", {}, 0},
  };
  for (const TCase& c : cases) {
    TFakeMeasurer m;
    TTexLayout l = LayoutTex(c.text, TTexMetrics{12, false, -33, 33}, m);
    SCOPED_TRACE(std::string(c.text) + ": " + Describe(l));
    EXPECT_EQ(l.Advance, c.advance);
    ASSERT_EQ(l.Pieces.size(), c.pieces.size());
    for (size_t i = 0; i < c.pieces.size(); ++i) {
      EXPECT_EQ(l.Pieces[i].Text, c.pieces[i].text);
      EXPECT_EQ(l.Pieces[i].Font, c.pieces[i].font);
      EXPECT_EQ(l.Pieces[i].Cur, c.pieces[i].cur);
      EXPECT_EQ(l.Pieces[i].V, c.pieces[i].v);
    }
  }
}

TEST(TexLayout, CountsColourSwitchesPerPiece) {
  TFakeMeasurer m;
  TTexLayout l = LayoutTex("a~b~~c~", TTexMetrics{12}, m);
  ASSERT_EQ(l.Pieces.size(), 3u);
  EXPECT_EQ(l.Pieces[0].Toggles, 0);
  EXPECT_EQ(l.Pieces[1].Toggles, 1);
  EXPECT_EQ(l.Pieces[2].Toggles, 3);
  EXPECT_EQ(l.Toggles, 3);  // the last "~" is the last character: not acted on
}

TEST(TexLayout, ItalicOverhangsFromABCWidths) {
  TFakeMeasurer m;
  m.abc['x'] = TTexABC{-2, 10, -3};
  TTexLayout l = LayoutTex("x^2x_2", TTexMetrics{16, true, -35, 20}, m);
  // Starts 2 pixels in; the superscript clears x's right overhang of 3, the
  // subscript does not.
  ASSERT_EQ(l.Pieces.size(), 4u) << Describe(l);
  EXPECT_EQ(l.Pieces[0].Cur, 2);
  EXPECT_EQ(l.Pieces[1].Cur, 15);
  EXPECT_EQ(l.Pieces[1].V, -6);
  EXPECT_EQ(l.Pieces[2].Cur, 23);
  EXPECT_EQ(l.Pieces[3].Cur, 33);
  EXPECT_EQ(l.Pieces[3].V, 3);
  EXPECT_EQ(l.Advance, 39);
}

TEST(TexLayout, NeverReadsPastTheEndOfTheText) {
  // Exactly sized buffers without a terminator: a read past the end is an
  // AddressSanitizer error in the native build.
  for (std::string text : {"ab", "a_", "x_i", "a\\", "^", "H_2O"}) {
    std::unique_ptr<char[]> exact(new char[text.size()]);
    std::copy(text.begin(), text.end(), exact.get());
    TFakeMeasurer m;
    TTexLayout l = LayoutTex(std::string_view(exact.get(), text.size()), TTexMetrics{12}, m);
    EXPECT_GE(l.Advance, 0) << text;
  }
}

TEST(TexLayout, PositionsFollowTheEscapement) {
  EXPECT_EQ(TexPiecePosition(10, 4, 100, 50, 0, 1).X, 110);
  EXPECT_EQ(TexPiecePosition(10, 4, 100, 50, 0, 1).Y, 54);
  // Upward text: along the line is up the page, down the line is right.
  EXPECT_EQ(TexPiecePosition(10, 4, 100, 50, 1, 0).X, 104);
  EXPECT_EQ(TexPiecePosition(10, 4, 100, 50, 1, 0).Y, 40);
  // Halves round to even.
  EXPECT_EQ(TexPiecePosition(1, 0, 0, 0, 0, 2.5).X, 2);
  EXPECT_EQ(TexPiecePosition(1, 0, 0, 0, 0, 3.5).X, 4);
}

}  // namespace
