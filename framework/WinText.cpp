#include "framework/WinText.h"

#include "framework/Cp1250.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Wide(std::string_view text) {
  std::u16string u = cp1250::ToUtf16(text);
  return std::wstring(u.begin(), u.end());
}

std::string Narrow(std::wstring_view text) {
  std::u16string u(text.begin(), text.end());
  return cp1250::FromUtf16(u);
}

std::string Narrow(const wchar_t* text) { return text ? Narrow(std::wstring_view(text)) : std::string(); }
