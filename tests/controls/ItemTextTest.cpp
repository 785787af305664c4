// How an owner-drawn combo item's text splits into its forms, columns and
// index text.

#include "controls/ItemText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ItemText, ShortAndLongFormsAndSeparator) {
  struct TCase {
    const char* text;
    const char* shortForm;
    const char* longForm;
    bool separator;
  };
  const TCase cases[] = {
      {"Beam|Beam section list-", "Beam", "Beam section list", true},
      {"Beam", "Beam", "Beam", false},
      {"a|b|c", "a", "b|c", false},
      {"-", "", "", true},
      {"a-b", "a-b", "a-b", false},
      {"", "", "", false},
  };
  for (const TCase& c : cases) {
    TItemText t = SplitItemText(c.text);
    EXPECT_EQ(t.Short, c.shortForm) << c.text;
    EXPECT_EQ(t.Long, c.longForm) << c.text;
    EXPECT_EQ(t.Separator, c.separator) << c.text;
  }
}

TEST(ItemText, ImageIndexIsTheTopByteUnsigned) {
  EXPECT_EQ(ItemImageIndex(3u << 24), 3);
  EXPECT_EQ(ItemImageIndex(0x83000000u), 131);
  EXPECT_EQ(ItemImageIndex(0xFF123456u), 255);
  EXPECT_EQ(ItemImageIndex(0x00FFFFFFu), 0);
}

TEST(ItemText, ColumnPieces) {
  struct TPiece {
    std::string text;
    int left, width;
    bool right;
  };
  struct TCase {
    std::string text;
    std::string columns;
    std::vector<int32_t> widths;
    std::vector<TPiece> pieces;
  };
  const TCase cases[] = {
      {"a\xA4" "b\xA4", "L]", {50, 40}, {{"a", 0, 50, false}, {"b", 50, 40, true}}},
      {"a\xA4" "b", "L]", {50, 40}, {{"a", 0, 50, false}}},
      {"a\xA4" "b\xA4" "c\xA4", "..", {10, 20}, {{"a", 0, 10, false}, {"b", 10, 20, false}}},
      {"\xA4" "b\xA4", "]]", {10, 20}, {{"", 0, 10, true}, {"b", 10, 20, true}}},
      {"plain", "L]", {50, 40}, {{"plain", 0, 0, false}}},
      {"a\xA4" "b\xA4", "", {}, {{"a", 0, 0, false}}},
  };
  for (const TCase& c : cases) {
    std::vector<TColumnPiece> pieces = ColumnPieces(c.text, c.columns, c.widths);
    SCOPED_TRACE(c.text);
    ASSERT_EQ(pieces.size(), c.pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
      EXPECT_EQ(pieces[i].Text, c.pieces[i].text);
      EXPECT_EQ(pieces[i].Left, c.pieces[i].left);
      EXPECT_EQ(pieces[i].Width, c.pieces[i].width);
      EXPECT_EQ(pieces[i].RightAligned, c.pieces[i].right);
    }
  }
}

TEST(ItemText, IndexPieceSplitsAtTheFirstAmpersand) {
  TIndexPiece p = SplitIndexPiece("N&x&y");
  EXPECT_TRUE(p.HasIndex);
  EXPECT_EQ(p.Main, "N");
  EXPECT_EQ(p.Index, "x&y");
  EXPECT_FALSE(SplitIndexPiece("N").HasIndex);
  EXPECT_EQ(SplitIndexPiece("&x").Main, "");
}

}  // namespace
