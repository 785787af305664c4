#pragma once
// Text at the Win32 boundary: the system's code page 1250 text to and from
// the wide-character calls, whatever the machine's ANSI code page.

#include <string>
#include <string_view>

std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);
std::string Narrow(const wchar_t* text);
