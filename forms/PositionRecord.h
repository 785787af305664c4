#pragma once
// A form's window-position record in the settings store (section "Forms",
// key: the form's slot number in decimal): 29 characters,
//
//   1       window state: '1' normal, '2' minimized, '3' maximized
//   2-5     left edge          6-9    top edge
//   10-13   right edge         14-17  bottom edge
//   18-21   screen width       22-25  screen height
//   26-29   screen pixels per inch
//
// (positions 1-based). Each number is the low 16 bits of the value as four
// upper-case hexadecimal digits, so -10 is "FFF6". Reading parses a field as
// hexadecimal (either case) and sign-extends it from 16 bits; characters
// missing at the end of a short record read as '0', and a field that is no
// hexadecimal number reads as 0. The screen figures are written for the
// host's use and never read here.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace posrec {

constexpr size_t kStatePos = 1;
constexpr size_t kBoundsPos = 2;
constexpr size_t kScreenPos = 18;
constexpr size_t kDensityPos = 26;

// The window states as the record writes them.
constexpr char kNormal = '1';
constexpr char kMinimized = '2';
constexpr char kMaximized = '3';

struct TStoredBounds {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  // Nothing usable stored: four zeros, or an edge pair in the wrong order.
  bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// value's low 16 bits as four upper-case hexadecimal digits.
std::string HexField(int32_t value);
// The field of four characters starting at the 1-based position.
int32_t ReadField(std::string_view record, size_t position);
TStoredBounds ReadBounds(std::string_view record);
// The state character; '\0' for an empty record.
char ReadState(std::string_view record);
// record with text written over it from the 1-based position on: as many
// characters are replaced as text has, the rest is kept; a record shorter
// than the position gets text appended at its end.
std::string Overwrite(std::string record, size_t position, std::string_view text);

}  // namespace posrec
