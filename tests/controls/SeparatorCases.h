#pragma once
// The two separator settings the value rules are tested under: Hungarian
// (decimal comma, no-break space between thousands) and English.

#include <string>

struct TSeparators {
  const char* name;
  char decimal;
  char thousand;
};

inline constexpr TSeparators kHungarian{"hu", ',', '\xA0'};
inline constexpr TSeparators kEnglish{"en", '.', ','};
inline constexpr TSeparators kBothSeparators[] = {kHungarian, kEnglish};

// An English-style text with '.' and ',' turned into the given separators.
inline std::string Localised(const std::string& english, const TSeparators& s) {
  std::string out;
  for (char c : english) out += c == '.' ? s.decimal : c == ',' ? s.thousand : c;
  return out;
}
