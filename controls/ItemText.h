#pragma once
// How the owner-drawn typed combo reads an item's text, as pure functions:
//
//   "Beam|Beam section list-"   short form | long form, "-" at the end: a
//                               separator line above the item in the list
//   "a¤b¤"                      columns, each ending with "¤" (code 164);
//                               text after the last "¤" is not drawn
//   "N&x"                       "x" is index text: smaller and lower
//
// Columns: one character per column, "]" right-aligned, anything else
// left-aligned; their widths are set by the owner.

#include <cstdint>
#include <string_view>
#include <vector>

constexpr char kColumnMark = '\xA4';  // "¤" in code page 1250

struct TItemText {
  std::string_view Short;
  std::string_view Long;
  bool Separator = false;
};

// Splits an item's text; the parts refer to `text`.
TItemText SplitItemText(std::string_view text);

// The image of an item from its data: the top byte, 0 to 255.
int ItemImageIndex(uint32_t data);

struct TColumnPiece {
  std::string_view Text;
  int Left = 0;   // from the start of the first column
  int Width = 0;  // of its column
  bool RightAligned = false;
};

// The pieces of a text in columns. A text without "¤" is one piece at 0.
// With "¤": one piece per column, each the text before the next "¤", for at
// most as many columns as there are widths; without columns, only the text
// before the first "¤", as one piece.
std::vector<TColumnPiece> ColumnPieces(std::string_view text, std::string_view columns,
                                       const std::vector<int32_t>& widths);

struct TIndexPiece {
  std::string_view Main;
  std::string_view Index;  // after the first "&"
  bool HasIndex = false;
};

TIndexPiece SplitIndexPiece(std::string_view piece);
