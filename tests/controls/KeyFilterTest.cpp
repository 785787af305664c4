#include "controls/KeyFilter.h"

#include "SeparatorCases.h"

#include <gtest/gtest.h>

namespace {

// In the tables '.' stands for the decimal separator of the settings under
// test, in the text and as the typed character.
struct KeyCase {
  TEditType type;
  const char* text;
  int selStart;
  int selLength;
  char c;
  bool allowed;
};

TKeyFilterInput Input(TEditType type, std::string_view text, int selStart, int selLength, char sep,
                      bool readOnly = false) {
  TKeyFilterInput in;
  in.EditType = type;
  in.AllowedChars = EditTypeChars(type, sep);
  in.Text = text;
  in.SelStart = selStart;
  in.SelLength = selLength;
  in.ReadOnly = readOnly;
  in.DecimalSeparator = sep;
  return in;
}

void CheckKeys(const KeyCase* begin, const KeyCase* end) {
  for (const TSeparators& s : kBothSeparators) {
    for (const KeyCase* k = begin; k != end; ++k) {
      const std::string text = Localised(k->text, s);
      const char c = k->c == '.' ? s.decimal : k->c;
      EXPECT_EQ(CharAllowed(c, Input(k->type, text, k->selStart, k->selLength, s.decimal)), k->allowed)
          << s.name << ": type " << int(k->type) << ", text \"" << k->text << "\" sel " << k->selStart << "+"
          << k->selLength << ", key '" << k->c << "' (" << int(static_cast<unsigned char>(k->c)) << ")";
    }
  }
}

TEST(EditTypeChars, SetsPerType) {
  for (const TSeparators& s : kBothSeparators) {
    EXPECT_EQ(EditTypeChars(edtChar, s.decimal).count(), 224u);
    EXPECT_FALSE(InCharSet(EditTypeChars(edtChar, s.decimal), '\x1F'));
    EXPECT_TRUE(InCharSet(EditTypeChars(edtChar, s.decimal), '\xFF'));
    EXPECT_EQ(EditTypeChars(edtBin, s.decimal).count(), 2u);
    EXPECT_EQ(EditTypeChars(edtHex, s.decimal).count(), 22u);
    EXPECT_EQ(EditTypeChars(edtInteger, s.decimal).count(), 12u);
    EXPECT_EQ(EditTypeChars(edtCardinal, s.decimal).count(), 10u);
    for (TEditType t : {edtFloat, edtFloatP}) {
      const TCharSet set = EditTypeChars(t, s.decimal);
      EXPECT_EQ(set.count(), 15u);
      EXPECT_TRUE(InCharSet(set, s.decimal));
      EXPECT_FALSE(InCharSet(set, s.decimal == ',' ? '.' : ','));
    }
  }
  EXPECT_TRUE(EditTypeChars(static_cast<TEditType>(7), '.').none());
}

TEST(CharAllowed, EnterNeverControlCharactersAlways) {
  for (const TSeparators& s : kBothSeparators) {
    for (int t = edtChar; t <= edtFloatP; ++t) {
      const auto type = static_cast<TEditType>(t);
      for (int c = 0; c < 32; ++c) {
        // In the middle of an exponent, where a float control refuses most keys.
        EXPECT_EQ(CharAllowed(static_cast<char>(c), Input(type, "1E+5", 3, 0, s.decimal)), c != 13)
            << "type " << t << " char " << c;
      }
      // Even where the locale names Enter as its decimal separator.
      EXPECT_FALSE(CharAllowed('\r', Input(type, "12", 2, 0, '\r'))) << "type " << t;
      EXPECT_FALSE(CharAllowed('\r', Input(type, "", 0, 0, '\r'))) << "type " << t;
      EXPECT_FALSE(CharAllowed('5', Input(type, "", 0, 0, s.decimal, true)));
      EXPECT_FALSE(CharAllowed('\x08', Input(type, "12", 1, 0, s.decimal, true)));
    }
  }
}

TEST(CharAllowed, CharacterSetsByType) {
  const KeyCase cases[] = {
      {edtChar, "ab", 1, 0, 'x', true},       {edtChar, "ab", 1, 0, '\xE9', true},
      {edtBin, "10", 2, 0, '1', true},        {edtBin, "10", 2, 0, '2', false},
      {edtHex, "", 0, 0, 'f', true},          {edtHex, "", 0, 0, 'G', false},
      {edtHex, "", 0, 0, '-', false},         {edtCardinal, "5", 0, 0, '-', false},
      {edtCardinal, "5", 1, 0, '7', true},    {edtFloat, "5", 1, 0, 'x', false},
      {edtFloat, "5", 1, 0, ' ', false},      {edtInteger, "5", 1, 0, '.', false},
  };
  CheckKeys(std::begin(cases), std::end(cases));
}

TEST(CharAllowed, IntegerSigns) {
  const KeyCase cases[] = {
      {edtInteger, "-5", 0, 0, '-', false},  // already has one
      {edtInteger, "-5", 0, 0, '+', true},   // the other sign is not looked for
      {edtInteger, "5", 0, 0, '-', true},
      {edtInteger, "5", 1, 0, '-', false},   // only at the start
      {edtInteger, "5", 0, 1, '-', true},
      {edtInteger, "-5", 0, 2, '-', false},  // selected, but still in the text
      {edtInteger, "5+", 0, 0, '+', false},
      {edtInteger, "-5", 2, 0, '7', true},
  };
  CheckKeys(std::begin(cases), std::end(cases));
}

TEST(CharAllowed, FloatWholeTextSelected) {
  const KeyCase cases[] = {
      {edtFloat, "", 0, 0, 'E', false},     {edtFloat, "", 0, 0, 'e', false},
      {edtFloat, "", 0, 0, '-', true},      {edtFloat, "", 0, 0, '.', true},
      {edtFloatP, "", 0, 0, '-', false},    {edtFloatP, "", 0, 0, 'E', false},
      {edtFloatP, "", 0, 0, '+', true},     {edtFloatP, "", 0, 0, '7', true},
      {edtFloat, "1.5E3", 0, 5, '-', true}, {edtFloat, "1.5E3", 0, 5, '.', true},
      {edtFloat, "1.5E3", 0, 5, 'E', false},
      {edtFloatP, "1.5", 0, 3, '-', false},
  };
  CheckKeys(std::begin(cases), std::end(cases));
}

TEST(CharAllowed, FloatSeparator) {
  const KeyCase cases[] = {
      {edtFloat, "15", 1, 0, '.', true},
      {edtFloat, "1.5", 3, 0, '.', false},  // one separator only
      {edtFloat, "1.5", 1, 2, '.', false},  // even when the selection holds it
      {edtFloat, "1E5", 2, 0, '.', false},  // not in the exponent
      {edtFloat, "1E5", 3, 0, '.', false},
      {edtFloat, "1E5", 1, 0, '.', true},   // before the exponent letter
      {edtFloat, "-5", 0, 0, '.', true},
  };
  CheckKeys(std::begin(cases), std::end(cases));
}

TEST(CharAllowed, FloatSigns) {
  const KeyCase cases[] = {
      {edtFloat, "15", 0, 0, '-', true},
      {edtFloat, "-15", 0, 0, '+', false},  // a sign is already first
      {edtFloat, "-15", 0, 1, '+', false},  // even when it is selected
      {edtFloat, "15", 1, 0, '-', false},   // after the start only after E
      {edtFloat, "1E5", 2, 0, '+', true},   // right after the exponent letter, once
      {edtFloat, "1E5", 2, 0, '-', true},
      {edtFloat, "1E+5", 2, 0, '-', false},
      {edtFloat, "1E+5", 2, 1, '-', true},  // replacing the exponent's sign
      {edtFloat, "1E+5", 3, 0, '+', false},
      {edtFloat, "1E", 2, 0, '-', true},    // P = L: nothing follows the letter yet
      {edtFloat, "1E5", 1, 0, '+', false},  // before the letter
      {edtFloat, "1e2", 2, 0, '-', true},
      {edtFloatP, "15", 0, 0, '-', false},
      {edtFloatP, "15", 0, 0, '+', true},
      {edtFloatP, "1E5", 2, 0, '-', true},  // a negative exponent is fine
  };
  CheckKeys(std::begin(cases), std::end(cases));
}

TEST(CharAllowed, FloatExponentLetter) {
  const KeyCase cases[] = {
      {edtFloat, "15", 2, 0, 'E', true},    {edtFloat, "15", 2, 0, 'e', true},
      {edtFloat, "15", 1, 0, 'E', false},   // only at the end
      {edtFloat, "1E5", 3, 0, 'E', false},  // only one
      {edtFloat, "1E5", 3, 0, 'e', false},
      {edtFloat, "-", 1, 0, 'E', true},     // a sign alone may still take one
      {edtFloatP, "1.5", 3, 0, 'e', true},
  };
  CheckKeys(std::begin(cases), std::end(cases));
}

TEST(CharAllowed, WrongSeparatorRefused) {
  EXPECT_FALSE(CharAllowed('.', Input(edtFloat, "1", 1, 0, ',')));
  EXPECT_FALSE(CharAllowed(',', Input(edtFloat, "1", 1, 0, '.')));
}

TEST(CharAllowed, SelectionOutsideTheTextIsClamped) {
  EXPECT_TRUE(CharAllowed('E', Input(edtFloat, "15", 99, 5, '.')));
  EXPECT_TRUE(CharAllowed('-', Input(edtFloat, "15", -3, -1, '.')));
  EXPECT_FALSE(CharAllowed('E', Input(edtFloat, "15", 1, -7, '.')));
}

struct PasteCase {
  TEditType type;
  const char* text;
  int selStart;
  int selLength;
  const char* clip;
  bool allowed;
};

TEST(PasteAllowed, ChecksEveryCharacterThenTheWholeText) {
  const PasteCase cases[] = {
      {edtInteger, "", 0, 0, "12a", false},
      {edtInteger, "", 0, 0, "-5", true},
      {edtInteger, "5", 1, 0, "-", false},
      {edtInteger, "", 0, 0, "99999999999", false},  // out of range
      {edtInteger, "12", 0, 2, "", false},          // leaves no number
      {edtInteger, "", 0, 0, "12\r\n", false},      // Enter is never allowed
      {edtCardinal, "", 0, 0, "2147483647", true},
      {edtCardinal, "", 0, 0, "4294967295", false},
      {edtFloat, "", 0, 0, "1.5", true},
      {edtFloat, "", 0, 0, "1E5", false},           // E is judged against the empty text
      {edtFloat, "1", 1, 0, ".5E3", true},
      {edtFloat, "1", 1, 0, ".5.5", false},         // each '.' passes, the text does not
      {edtFloat, "1.5", 3, 0, ".2", false},
      {edtFloat, "12", 1, 0, "", true},
      {edtFloatP, "", 0, 0, "-1", false},
      {edtFloatP, "", 0, 0, "+1", true},
      {edtBin, "", 0, 0, "101", true},
      {edtBin, "", 0, 0, "102", false},
      {edtHex, "ff", 2, 0, "FFFFFFFFFFFF", true},   // no whole-text check
      {edtChar, "", 0, 0, "anything\r\n", true},
  };
  for (const TSeparators& s : kBothSeparators) {
    for (const PasteCase& p : cases) {
      const std::string text = Localised(p.text, s);
      const std::string clip = Localised(p.clip, s);
      EXPECT_EQ(PasteAllowed(std::string_view(clip), Input(p.type, text, p.selStart, p.selLength, s.decimal)),
                p.allowed)
          << s.name << ": type " << int(p.type) << ", text \"" << p.text << "\", clip \"" << p.clip << "\"";
    }
  }
}

TEST(PasteAllowed, SelectionIsReplaced) {
  const TKeyFilterInput in = Input(edtInteger, "12", 1, 1, '.');
  EXPECT_EQ(PasteCandidate(in, "3"), "13");
  EXPECT_TRUE(PasteAllowed(std::string_view("3"), in));
  EXPECT_EQ(PasteCandidate(Input(edtInteger, "12", 7, 3, '.'), "3"), "123");
  EXPECT_EQ(PasteCandidate(Input(edtInteger, "12", 0, 0, '.'), "3"), "312");
}

TEST(PasteAllowed, NoTextOnTheClipboardOrReadOnly) {
  for (TEditType t : {edtChar, edtInteger, edtFloat})
    EXPECT_FALSE(PasteAllowed(std::nullopt, Input(t, "", 0, 0, '.')));
  EXPECT_FALSE(PasteAllowed(std::string_view("5"), Input(edtInteger, "", 0, 0, '.', true)));
  EXPECT_FALSE(PasteAllowed(std::string_view("5"), Input(edtFloat, "", 0, 0, '.', true)));
}

}  // namespace
