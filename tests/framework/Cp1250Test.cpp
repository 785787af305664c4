#include "framework/Cp1250.h"

#include <gtest/gtest.h>

namespace {

// Narrow literals in this project are compiled to code page 1250.
TEST(Cp1250, HungarianLettersMapBothWays) {
  const std::string text = "Kilépés ő Ő ű Ű ô ß €";
  EXPECT_EQ(static_cast<unsigned char>(text[3]), 0xE9);
  const std::u16string wide = cp1250::ToUtf16(text);
  EXPECT_EQ(wide, u"Kilépés ő Ő ű Ű ô ß €");
  EXPECT_EQ(cp1250::FromUtf16(wide), text);
  EXPECT_EQ(cp1250::ToUtf8(text), std::string(reinterpret_cast<const char*>(u8"Kilépés ő Ő ű Ű ô ß €")));
}

TEST(Cp1250, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(cp1250::FromUtf16(cp1250::ToUtf16(all)), all);
  EXPECT_EQ(cp1250::FromUtf8(cp1250::ToUtf8(all)), all);
}

TEST(Cp1250, CharactersOutsideTheCodePageAreReplaced) {
  EXPECT_EQ(cp1250::FromUtf16(u"a\u00F5b"), "a?b");             // õ is not in 1250
  EXPECT_EQ(cp1250::FromUtf16(u"x\U0001F600y", '_'), "x_y");     // surrogate pair
  EXPECT_EQ(cp1250::FromUnicode(0x4E00), -1);
}

TEST(Cp1250, MalformedUtf8IsReplacedNotTrusted) {
  struct Case { std::string in, out; };
  const Case cases[] = {
      {"a\xC3", "a?"},              // truncated sequence
      {"\xC0\xAF", "?"},            // overlong encoding of a slash
      {"\xED\xA0\x80z", "?z"},      // encoded surrogate
      {"\xFF\xFEok", "??ok"},       // bytes that never start a sequence
      {"\xC3\xA9\xC3", "\xE9?"},    // é then a truncated one
  };
  for (const auto& c : cases) EXPECT_EQ(cp1250::FromUtf8(c.in), c.out) << c.in;
}

}  // namespace
