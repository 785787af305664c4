#pragma once
// The layout of one line of label text with index markup, as pure logic
// behind a text-measuring interface (the text object TTEX measures with the
// fonts of a device context; tests measure with made-up widths).
//
// Markup: "^" raises the next character as a superscript, "_" lowers it as a
// subscript, "\" draws it in the symbol font, "~" switches the colour. "^\a"
// is a raised symbol character. A markup character in the last position is
// neither drawn nor acted on ("a^" is "a").
//
// Everything else is drawn in runs of the main font. The layout tells, for
// each piece, where along the line it starts (Cur, pixels from the start of
// the text) and how far it is shifted across the line (V, pixels, positive
// downward). An index character is followed by a 2-pixel gap when ordinary
// text or a symbol follows; a superscript right after a subscript starts
// where the subscript started, so the two stand one above the other.
//
// Italic fonts: the whole text moves right by the left overhang of its first
// character, and a superscript after a run starts past the run's right
// overhang (both from the characters' ABC widths, when the font tells them).

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

enum class TTexFont : uint8_t { Main, Index, Symbol };

// The markup kind of a character: 0 ordinary, 1 "^", 2 "_", 3 "\", 4 "~".
int TexCharKind(char c);

struct TTexABC {
  int A = 0;
  unsigned B = 0;
  int C = 0;
};

class TTexMeasurer {
public:
  virtual ~TTexMeasurer() = default;
  // The advance of `text` in the font.
  virtual int Width(TTexFont font, std::string_view text) = 0;
  // The ABC widths of one character in the font; nothing when the font
  // cannot tell (not a TrueType font, for one).
  virtual std::optional<TTexABC> ABC(TTexFont font, char c) = 0;
};

// The sizes derived from the main font. Fonts of 14 pixels and more take a
// fixed 70 % index with offsets -35 % / +20 %; smaller ones the label index
// size with -33 % / +33 %.
struct TTexSizes {
  int IndexSize = 0;    // percent of the main font
  int SuperOffset = 0;  // percent of the main font's height, negative: up
  int SubOffset = 0;
  int IndexHeight = 0;  // font heights, with the main height's sign
  int SymbolHeight = 0;
};
TTexSizes TexSizesFor(int mainHeight, int labelIndexSize);

struct TTexMetrics {
  int AbsHeight = 0;  // |main font height|
  bool Italic = false;
  int SuperOffset = -33;
  int SubOffset = 33;
};

struct TTexPiece {
  std::string_view Text;  // part of the laid-out text
  TTexFont Font = TTexFont::Main;
  int Cur = 0;      // start along the line
  int V = 0;        // shift across the line, positive downward
  int Toggles = 0;  // colour switches before this piece
};

struct TTexLayout {
  std::vector<TTexPiece> Pieces;
  int Advance = 0;  // where the next text would start
  int Toggles = 0;  // colour switches in the whole text
};

// Lays out `text`. The pieces refer to `text`: keep it alive while they are
// used.
TTexLayout LayoutTex(std::string_view text, const TTexMetrics& metrics, TTexMeasurer& measurer);

// The integer a * b / c rounded to the nearest, halves away from zero, as the
// system's font sizes are computed; -1 when c is 0 or the result overflows.
int MulDivRound(int a, int b, int c);

struct TTexPoint {
  int X = 0;
  int Y = 0;
};

// Where a piece is output for a text that starts at x and whose baseline
// starts at baseY, along a line at `angle` radians (counter-clockwise from
// the x axis, y growing downward): rounded to the nearest, halves to even.
TTexPoint TexPiecePosition(int cur, int v, int x, int baseY, double sinAngle, double cosAngle);
