#pragma once
// Conversion between the system's text (8-bit, Windows code page 1250) and
// Unicode. Every text the system holds is code page 1250; it is converted
// only where it leaves the program (Win32 wide-character calls, UTF-8 layout
// files), never by the system's ANSI code page, so what a person sees does not
// depend on the machine's language settings.
//
// The five bytes that code page 1250 leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) map to the C1 control of the same number, as Windows itself does, so
// every byte string survives a round trip through UTF-16.

#include <string>
#include <string_view>

namespace cp1250 {

// The Unicode character of one code page 1250 byte.
char16_t ToUnicode(unsigned char c);

// The code page 1250 byte of a Unicode character, or -1 when the code page
// has none.
int FromUnicode(char32_t u);

std::u16string ToUtf16(std::string_view text);
// Characters the code page cannot hold become `replacement`.
std::string FromUtf16(std::u16string_view text, char replacement = '?');

std::string ToUtf8(std::string_view text);
// Malformed UTF-8 sequences and characters the code page cannot hold become
// `replacement`.
std::string FromUtf8(std::string_view utf8, char replacement = '?');

}  // namespace cp1250
