// The library forms' rules that need no window: the position record, the
// placement of restored and centred forms, the floating form's clamp and
// anchors, and the hint's line breaking (with a fixed-pitch measure).

#include <gtest/gtest.h>

#include <string>

#include "forms/FormPlacement.h"
#include "forms/HintText.h"
#include "forms/PositionRecord.h"

namespace {

TEST(PositionRecord, FieldsAreSixteenBitHexadecimalBothWays) {
  struct Case {
    int32_t value;
    const char* text;
  } cases[] = {{0, "0000"}, {-10, "FFF6"}, {1024, "0400"}, {32767, "7FFF"}, {-32768, "8000"}, {70000, "1170"}};
  for (const auto& c : cases) {
    EXPECT_EQ(posrec::HexField(c.value), c.text) << c.value;
    EXPECT_EQ(posrec::ReadField(std::string("1") + c.text, 2), static_cast<int16_t>(c.value)) << c.text;
  }
  EXPECT_EQ(posrec::ReadField("1fff6", 2), -10);  // lower case is read too
  EXPECT_EQ(posrec::ReadField("10G00", 2), 0);    // not a number
  EXPECT_EQ(posrec::ReadField("1FF", 2), -256);   // missing characters are '0': "FF00"
  EXPECT_EQ(posrec::ReadField("", 2), 0);
}

TEST(PositionRecord, ReadsTheBoundsAndTellsWhenNothingUsableIsStored) {
  auto b = posrec::ReadBounds("1FFF6000A01F4012C0500040000060");
  EXPECT_EQ(b.Left, -10);
  EXPECT_EQ(b.Top, 10);
  EXPECT_EQ(b.Right, 500);
  EXPECT_EQ(b.Bottom, 300);
  EXPECT_FALSE(b.Empty());
  EXPECT_TRUE(posrec::ReadBounds("10000000000000000000000000000").Empty());
  EXPECT_TRUE(posrec::ReadBounds("1").Empty());
  EXPECT_TRUE(posrec::ReadBounds("100640064003200C8").Empty());  // right < left
  EXPECT_TRUE(posrec::ReadBounds("10064006400640100").Empty());  // zero width
  EXPECT_EQ(posrec::ReadState("3000"), '3');
  EXPECT_EQ(posrec::ReadState(""), '\0');
}

TEST(PositionRecord, OverwritingKeepsTheRestAndAppendsToShortRecords) {
  const std::string blank = "10000000000000000000000000000";
  EXPECT_EQ(posrec::Overwrite(blank, 1, "2"), "20000000000000000000000000000");
  EXPECT_EQ(posrec::Overwrite(blank, 26, "0060"), "10000000000000000000000000060");
  EXPECT_EQ(posrec::Overwrite("1ABC", 2, "00640064"), "100640064");
  EXPECT_EQ(posrec::Overwrite("1", 18, "0500"), "10500");  // shorter than the position
  EXPECT_EQ(posrec::Overwrite("", 1, "1"), "1");
  EXPECT_EQ(posrec::Overwrite(blank, 28, "ABCD"), "100000000000000000000000000ABCD");
}

TEST(Placement, RestoredFormsArePulledBackFromTheRightAndBottomOnly) {
  struct Case {
    int32_t left, top, wantLeft, wantTop;
  } cases[] = {
      {2000, 100, 1024 - 2 - 50, 100},  // far right
      {1024 - 2 - 15, 768 - 2 - 15, 1024 - 2 - 15, 768 - 2 - 15},  // just reachable
      {1024 - 2 - 14, 768 - 2 - 14, 1024 - 2 - 50, 768 - 2 - 50},
      {-300, -40, -300, -40},  // negative edges stay
  };
  for (const auto& c : cases) {
    int32_t l = c.left, t = c.top;
    placement::PullBack(l, t, 1024, 768, 2);
    EXPECT_EQ(l, c.wantLeft) << c.left;
    EXPECT_EQ(t, c.wantTop) << c.top;
  }
}

TEST(Placement, CentredFormsShrinkToTheScreenFirst) {
  EXPECT_EQ(placement::Centered(544, 374, 1024, 768), (TRect32{240, 197, 784, 571}));
  EXPECT_EQ(placement::Centered(545, 375, 1024, 768), (TRect32{239, 196, 784, 571}));  // rounds toward zero
  EXPECT_EQ(placement::Centered(1300, 900, 1024, 768), (TRect32{5, 5, 1019, 763}));
}

TEST(Placement, FloatingFormsAreClampedIntoTheMoveAreaAndAnchoredToTheNearerEdges) {
  TRect32 area = placement::MoveArea(600, 400, true, 13);
  EXPECT_EQ(area, (TRect32{1, 1, 586, 386}));
  EXPECT_EQ(placement::MoveArea(600, 400, false, 13), (TRect32{1, 1, 599, 399}));
  struct Case {
    const char* what;
    TRect32 in, out;
    bool right, bottom;
  } cases[] = {
      {"upper left quarter", {20, 30, 120, 80}, {20, 30, 120, 80}, false, false},
      {"half outside the right edge", {540, 30, 640, 80}, {486, 30, 586, 80}, true, false},
      {"below the bottom", {20, 370, 120, 420}, {20, 336, 120, 386}, false, true},
      {"left of the area", {-50, 300, 50, 350}, {1, 300, 101, 350}, false, true},
      {"wider than the area", {10, 10, 700, 60}, {1, 10, 691, 60}, false, false},
      {"taller than the area", {10, 10, 60, 500}, {10, 1, 60, 491}, false, false},
  };
  for (const auto& c : cases) {
    auto a = placement::Anchor(c.in, area);
    EXPECT_EQ(a.Bounds, c.out) << c.what;
    EXPECT_EQ(a.Right, c.right) << c.what;
    EXPECT_EQ(a.Bottom, c.bottom) << c.what;
  }
}

// Every character 10 pixels wide.
int Fixed(std::string_view s) { return static_cast<int>(s.size()) * 10; }

TEST(HintText, LongFormulasBreakAtTheLastGoodPlaceBeforeTheLimit) {
  struct Case {
    const char* what;
    const char* text;
    int limit;
    const char* broken;
  } cases[] = {
      {"fits", "a+b", 30, "a+b"},
      {"before a blank", "abc def", 50, "abc| def"},
      {"before a plus", "abcd+efgh", 60, "abcd|+efgh"},
      {"before an opening bracket", "ab(cdefg)", 70, "ab|(cdefg)"},
      {"after a closing bracket", "f(x)gh", 50, "f(x)|gh"},
      {"after a semicolon", "ab;cdef", 50, "ab;|cdef"},
      {"not after a bracket a comma follows", "f(x),gh", 60, "f|(x),gh"},
      {"the last candidate wins", "a b c d e", 70, "a b c| d e"},
      {"no candidate: cut before the first that does not fit", "abcdefgh", 30, "abc|def|gh"},
      {"explicit bars restart the line", "ab|cdefg", 40, "ab|cdef|g"},
      {"a character wider than the limit stays alone", "abc", 5, "a|b|c"},
      {"a blank that starts a line is no candidate", "ab| cdefg", 40, "ab| cde|fg"},
  };
  for (const auto& c : cases) EXPECT_EQ(BreakHintText(c.text, c.limit, Fixed), c.broken) << c.what;
}

TEST(HintText, LinesAreJoinedWithCrLfAndTheWidestGivesTheWidth) {
  auto three = LayoutHintText("ab|abcdef|abc", 1000, Fixed);
  EXPECT_EQ(three.Caption, "ab\r\nabcdef\r\nabc");
  EXPECT_EQ(three.Width, 60);
  auto empties = LayoutHintText("|", 1000, Fixed);
  EXPECT_EQ(empties.Caption, "\r\n");
  EXPECT_EQ(empties.Width, 0);
  auto one = LayoutHintText("x = (a + b) * c", 1000, Fixed);  // fits: unchanged
  EXPECT_EQ(one.Caption, "x = (a + b) * c");
  EXPECT_EQ(one.Width, 150);
  auto broken = LayoutHintText("abc def", 50, Fixed);
  EXPECT_EQ(broken.Caption, "abc\r\n def");
  EXPECT_EQ(broken.Width, 40);
  EXPECT_EQ(LayoutHintText("", 50, Fixed).Caption, "");
}

}  // namespace
