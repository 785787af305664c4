#pragma once
// How the cursor hint lays out its text: "|" separates lines; a text without
// one that is wider than the limit (three quarters of the screen) is broken
// where formulas and lists break well: after a closing bracket or ";" that no
// comma follows, before a blank, "+" or an opening bracket, whichever of
// these came last before the line grew too wide, else before the first
// character that does not fit. The characters at a break stay in the text, so
// a blank before which the text was broken begins the next line.

#include <functional>
#include <string>
#include <string_view>

// The width in pixels of a piece of text as the hint draws it.
using THintTextWidth = std::function<int(std::string_view)>;

// text with "|" inserted at its automatic breaks. A break never falls before
// a line's first character: a single character wider than the limit stays on
// a line of its own.
std::string BreakHintText(std::string_view text, int limit, const THintTextWidth& width);

struct THintLayout {
  std::string Caption;  // the lines joined by CR LF
  int Width = 0;        // the widest line's width
};

THintLayout LayoutHintText(std::string_view text, int limit, const THintTextWidth& width);
