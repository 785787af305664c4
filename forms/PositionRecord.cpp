#include "forms/PositionRecord.h"

#include <algorithm>

namespace posrec {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string HexField(int32_t value) {
  static const char digits[] = "0123456789ABCDEF";
  auto v = static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i) {
    text[static_cast<size_t>(i)] = digits[v & 0xF];
    v = static_cast<uint16_t>(v >> 4);
  }
  return text;
}

int32_t ReadField(std::string_view record, size_t position) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) {
    size_t at = position - 1 + i;
    int d = at < record.size() ? HexDigit(record[at]) : 0;
    if (d < 0) return 0;
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  return static_cast<int16_t>(static_cast<uint16_t>(v));
}

TStoredBounds ReadBounds(std::string_view record) {
  return TStoredBounds{ReadField(record, kBoundsPos), ReadField(record, kBoundsPos + 4),
                       ReadField(record, kBoundsPos + 8), ReadField(record, kBoundsPos + 12)};
}

char ReadState(std::string_view record) { return record.empty() ? '\0' : record[0]; }

std::string Overwrite(std::string record, size_t position, std::string_view text) {
  size_t at = position - 1;
  if (record.size() <= at) return record.append(text);
  record.replace(at, std::min(text.size(), record.size() - at), text);
  return record;
}

}  // namespace posrec
