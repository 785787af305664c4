#pragma once
// The key filter and the paste check of the typed input controls, as pure
// functions of the control's state, which the control copies into a
// TKeyFilterInput from its window.
//
// Behaviours callers may find surprising, all intended:
//  - Enter (13) is never accepted, so a control sees it as a refused key;
//    every other control character (below 32) passes the character set, so
//    Backspace, Tab, Escape and the Ctrl keys of copy, cut, paste and undo
//    are never filtered out by type.
//  - A read-only control refuses every character, control characters
//    included.
//  - In a float control whose whole text is selected (or empty) every
//    character of the set except an exponent letter is accepted (and, for
//    edtFloatP, except a minus): the typed character replaces everything.
//  - Otherwise the checks look at the whole current text, not at the text
//    the selection would leave: a second decimal separator is refused even
//    when the first one is selected.

#include "EditType.h"

#include <optional>
#include <string>
#include <string_view>

struct TKeyFilterInput {
  TEditType EditType = edtChar;
  // EditTypeChars(EditType, DecimalSeparator), as the control keeps it.
  TCharSet AllowedChars;
  std::string_view Text;
  // Caret position counted from 0 and selection length, as the edit reports
  // them; values outside the text are clamped to it.
  int SelStart = 0;
  int SelLength = 0;
  bool ReadOnly = false;
  char DecimalSeparator = '.';
};

// Whether the control lets the typed character c through.
bool CharAllowed(char c, const TKeyFilterInput& in);

// The text after a paste: Text with the selected range replaced by `clip`.
std::string PasteCandidate(const TKeyFilterInput& in, std::string_view clip);

// Whether a paste of the clipboard text goes ahead; `clip` is empty (nullopt)
// when the clipboard holds no text. Every character must pass CharAllowed
// against the unchanged text and selection, and the candidate text of the
// integer and float types must convert (edtBin and edtHex have no whole-text
// check; edtChar pastes anything).
bool PasteAllowed(const std::optional<std::string_view>& clip, const TKeyFilterInput& in);
