#include "controls/FloatFormat.h"
#include "controls/LocaleSeparators.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>
#include <string>

namespace {

// The settings the test runs under, as the system reports them.
enum class Locale { Hungarian, English, Other };

Locale CurrentLocale() {
#ifdef _WIN32
  switch (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()))) {
    case LANG_HUNGARIAN: return Locale::Hungarian;
    case LANG_ENGLISH: return Locale::English;
    default: return Locale::Other;
  }
#else
  return Locale::English;  // the native build always reports "." and ","
#endif
}

TEST(LocaleSeparators, MatchTheLocaleTheTestRunsUnder) {
  const TLocaleSeparators s = UserLocaleSeparators();
  const char* lcAll = std::getenv("LC_ALL");
#ifdef _WIN32
  // The test driver picks the locale through LC_ALL; make sure Wine took it.
  const std::string requested = lcAll != nullptr ? lcAll : "";
  if (requested.rfind("hu_HU", 0) == 0) {
    EXPECT_EQ(CurrentLocale(), Locale::Hungarian);
  } else if (requested.rfind("en_US", 0) == 0) {
    EXPECT_EQ(CurrentLocale(), Locale::English);
  }
#else
  (void)lcAll;
#endif
  switch (CurrentLocale()) {
    case Locale::Hungarian:
      EXPECT_EQ(s.Decimal, ',');
      EXPECT_EQ(s.Thousand, '\xA0');
      break;
    case Locale::English:
      EXPECT_EQ(s.Decimal, '.');
      EXPECT_EQ(s.Thousand, ',');
      break;
    case Locale::Other:
      GTEST_SKIP() << "neither Hungarian nor English settings";
  }
}

TEST(LocaleSeparators, FormattingWithTheUserSettings) {
  const TLocaleSeparators s = UserLocaleSeparators();
  const auto format = [&](const char* pattern, double v) {
    return numtext::FormatFloat(pattern, v, s.Decimal, s.Thousand);
  };
  switch (CurrentLocale()) {
    case Locale::Hungarian:
      EXPECT_EQ(format("0.00", 2), "2,00");
      EXPECT_EQ(format("#0.###", 2), "2");
      EXPECT_EQ(format("#0.###", 2.5), "2,5");
      EXPECT_EQ(format("#,##0.00", 1234567.891), "1\xA0" "234\xA0" "567,89");
      break;
    case Locale::English:
      EXPECT_EQ(format("0.00", 2), "2.00");
      EXPECT_EQ(format("#0.###", 2), "2");
      EXPECT_EQ(format("#0.###", 2.5), "2.5");
      EXPECT_EQ(format("#,##0.00", 1234567.891), "1,234,567.89");
      break;
    case Locale::Other:
      GTEST_SKIP() << "neither Hungarian nor English settings";
  }
}

}  // namespace
