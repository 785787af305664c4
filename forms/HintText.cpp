#include "forms/HintText.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t from = 0;
  for (;;) {
    size_t bar = text.find('|', from);
    lines.push_back(text.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from));
    if (bar == std::string_view::npos) return lines;
    from = bar + 1;
  }
}

bool BreaksAfter(char c) { return c == '}' || c == ')' || c == ']' || c == ';'; }
bool BreaksBefore(char c) { return c == ' ' || c == '+' || c == '(' || c == '[' || c == '{'; }

}  // namespace

std::string BreakHintText(std::string_view text, int limit, const THintTextWidth& width) {
  // Positions are 1-based: the current line runs from start to i, and a
  // break at b splits after the character at b.
  const size_t n = text.size();
  size_t start = 1, candidate = 0;
  std::vector<size_t> breaks;
  for (size_t i = 1; i <= n; ++i) {
    char c = text[i - 1];
    if (c == '|') {
      start = i + 1;
      candidate = 0;
      continue;
    }
    if (width(text.substr(start - 1, i - start + 1)) > limit) {
      size_t b = candidate > 0 ? candidate : i - 1;
      if (b >= start) {
        breaks.push_back(b);
        start = b + 1;
        candidate = 0;
      }
      continue;
    }
    if (BreaksAfter(c) && (i == n || text[i] != ',')) candidate = i;
    if (BreaksBefore(c) && i - 1 >= start) candidate = i - 1;
  }
  std::string out;
  size_t from = 1;
  for (size_t b : breaks) {
    out.append(text.substr(from - 1, b - from + 1));
    out += '|';
    from = b + 1;
  }
  out.append(text.substr(from - 1));
  return out;
}

THintLayout LayoutHintText(std::string_view text, int limit, const THintTextWidth& width) {
  THintLayout layout;
  if (text.find('|') == std::string_view::npos) {
    int w = width(text);
    if (w <= limit) return THintLayout{std::string(text), w};
  }
  std::string broken;
  if (text.find('|') == std::string_view::npos) {
    broken = BreakHintText(text, limit, width);
    text = broken;
  }
  bool first = true;
  for (std::string_view line : SplitLines(text)) {
    if (!first) layout.Caption += "\r\n";
    first = false;
    layout.Caption.append(line);
    layout.Width = std::max(layout.Width, width(line));
  }
  return layout;
}
