#include "controls/ItemText.h"

TItemText SplitItemText(std::string_view text) {
  TItemText r;
  if (!text.empty() && text.back() == '-') {
    text.remove_suffix(1);
    r.Separator = true;
  }
  const size_t bar = text.find('|');
  if (bar == std::string_view::npos) {
    r.Short = r.Long = text;
  } else {
    r.Short = text.substr(0, bar);
    r.Long = text.substr(bar + 1);
  }
  return r;
}

int ItemImageIndex(uint32_t data) { return static_cast<int>(data >> 24); }

std::vector<TColumnPiece> ColumnPieces(std::string_view text, std::string_view columns,
                                       const std::vector<int32_t>& widths) {
  size_t mark = text.find(kColumnMark);
  if (mark == std::string_view::npos) return {TColumnPiece{text, 0, 0, false}};
  if (widths.empty()) return {TColumnPiece{text.substr(0, mark), 0, 0, false}};
  std::vector<TColumnPiece> pieces;
  int left = 0;
  for (size_t j = 0;; ++j) {
    TColumnPiece p;
    p.Text = text.substr(0, mark);
    p.Left = left;
    p.Width = widths[j];
    p.RightAligned = j < columns.size() && columns[j] == ']';
    pieces.push_back(p);
    left += widths[j];
    text.remove_prefix(mark + 1);
    mark = text.find(kColumnMark);
    if (mark == std::string_view::npos || j + 1 >= widths.size()) break;
  }
  return pieces;
}

TIndexPiece SplitIndexPiece(std::string_view piece) {
  const size_t amp = piece.find('&');
  if (amp == std::string_view::npos) return {piece, {}, false};
  return {piece.substr(0, amp), piece.substr(amp + 1), true};
}
