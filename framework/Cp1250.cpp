#include "Cp1250.h"

#include <array>

namespace cp1250 {
namespace {

// Unicode characters of the bytes 0x80 to 0xFF; below 0x80 the code page is ASCII.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Reverse lookup built once: Unicode characters up to U+2122 cover the whole
// upper half of the code page.
struct ReverseTable {
  std::array<short, 0x2123> byte{};
  ReverseTable() {
    byte.fill(-1);
    for (int c = 0; c < 0x80; ++c) byte[c] = static_cast<short>(c);
    for (int i = 0; i < 128; ++i) byte[kHigh[i]] = static_cast<short>(0x80 + i);
  }
};

const ReverseTable& Reverse() {
  static const ReverseTable table;
  return table;
}

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

}  // namespace

char16_t ToUnicode(unsigned char c) {
  return c < 0x80 ? static_cast<char16_t>(c) : kHigh[c - 0x80];
}

int FromUnicode(char32_t u) {
  const auto& table = Reverse().byte;
  return u < table.size() ? table[u] : -1;
}

std::u16string ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out += ToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string FromUtf16(std::u16string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;  // a surrogate pair: outside the code page in any case
      out += replacement;
      continue;
    }
    int b = FromUnicode(u);
    out += b < 0 ? replacement : static_cast<char>(b);
  }
  return out;
}

std::string ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string FromUtf8(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra;
    char32_t u;
    if (lead < 0x80) { extra = 0; u = lead; }
    else if ((lead & 0xE0) == 0xC0) { extra = 1; u = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; u = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; u = lead & 0x07; }
    else { out += replacement; ++i; continue; }
    size_t j = 1;
    bool ok = true;
    for (; ok && j <= static_cast<size_t>(extra); ++j) {
      if (i + j >= utf8.size()) { ok = false; break; }
      unsigned char cont = static_cast<unsigned char>(utf8[i + j]);
      if ((cont & 0xC0) != 0x80) { ok = false; break; }
      u = (u << 6) | (cont & 0x3F);
    }
    // Overlong forms and surrogates are malformed.
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (ok && (u < kMin[extra] || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF)) ok = false;
    if (!ok) {
      out += replacement;
      i += j;  // skip the lead and the continuation bytes seen so far
      continue;
    }
    int b = FromUnicode(u);
    out += b < 0 ? replacement : static_cast<char>(b);
    i += extra + 1;
  }
  return out;
}

}  // namespace cp1250
