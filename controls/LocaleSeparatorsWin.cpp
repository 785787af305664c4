#include "LocaleSeparators.h"

#include "framework/Cp1250.h"

#include <windows.h>

namespace {

// The first character of a locale setting in code page 1250; `none` when
// the setting is empty, `unmapped` when the code page lacks the character.
char LocaleChar(LCTYPE type, char none, char unmapped) {
  wchar_t buffer[16] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16) == 0 || buffer[0] == 0) return none;
  const int byte = cp1250::FromUnicode(static_cast<char16_t>(buffer[0]));
  return byte < 0 ? unmapped : static_cast<char>(byte);
}

}  // namespace

TLocaleSeparators UserLocaleSeparators() {
  return {LocaleChar(LOCALE_SDECIMAL, '.', '.'), LocaleChar(LOCALE_STHOUSAND, 0, '\xA0')};
}
