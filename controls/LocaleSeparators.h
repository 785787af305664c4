#pragma once
// The decimal and thousands separators of the current user's locale, as code
// page 1250 characters, for the typed input controls. Read afresh on every
// call, so a control that asks when it builds its character set follows a
// change of the settings.
//
// On Windows they are the user locale's settings; elsewhere "." and ",".
// A separator code page 1250 cannot hold falls back to "." for the decimal
// one and to the no-break space (0xA0) for the thousands one, which in the
// locales that use such characters is a kind of space; an empty thousands
// separator gives 0 (no grouping character).

struct TLocaleSeparators {
  char Decimal = '.';
  char Thousand = ',';
};

TLocaleSeparators UserLocaleSeparators();
