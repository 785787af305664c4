#include "KeyFilter.h"

#include "NumberText.h"

#include <algorithm>

namespace {

struct TSelection {
  std::size_t start;
  std::size_t length;
};

TSelection ClampedSelection(const TKeyFilterInput& in) {
  const std::size_t size = in.Text.size();
  const std::size_t start = std::min(static_cast<std::size_t>(std::max(in.SelStart, 0)), size);
  const std::size_t length = std::min(static_cast<std::size_t>(std::max(in.SelLength, 0)), size - start);
  return {start, length};
}

bool IsSign(char c) { return c == '+' || c == '-'; }

bool FloatCharAllowed(char c, const TKeyFilterInput& in, TSelection sel) {
  const std::string_view text = in.Text;
  const bool isExponent = c == 'E' || c == 'e';
  // The typed character replaces the whole text: anything but what cannot
  // start a number.
  if (sel.length == text.size()) return !(isExponent || (in.EditType == edtFloatP && c == '-'));

  const std::size_t length = text.size();
  // 1-based position of the exponent letter, 0 without one; a lower-case e
  // is looked for first.
  std::size_t p = text.find('e');
  if (p == std::string_view::npos) p = text.find('E');
  const std::size_t expPos = p == std::string_view::npos ? 0 : p + 1;
  const std::size_t selStart = sel.start;

  if (c == in.DecimalSeparator) {
    if (text.find(in.DecimalSeparator) != std::string_view::npos) return false;
    return !(expPos > 0 && selStart >= expPos);  // none in the exponent
  }
  if (IsSign(c)) {
    if (selStart == 0 && length > 0 && IsSign(text[0])) return false;
    if (in.EditType == edtFloatP && selStart == 0 && c == '-') return false;
    // After the start a sign only follows the exponent letter.
    if (selStart >= 1 && (expPos == 0 || selStart < expPos)) return false;
    if (expPos >= 1) {
      if (selStart == expPos && sel.length == 0 && expPos < length && IsSign(text[expPos])) return false;
      if (selStart > expPos) return false;
    }
    return true;
  }
  if (isExponent) return expPos == 0 && selStart >= length;  // one, typed at the end
  return true;
}

}  // namespace

bool CharAllowed(char c, const TKeyFilterInput& in) {
  // Enter never reaches the text, not even where the locale's decimal
  // separator is that control character and so stands in the allowed set.
  if (in.ReadOnly || c == '\r') return false;
  const unsigned char byte = static_cast<unsigned char>(c);
  if (!(InCharSet(in.AllowedChars, c) || byte < 32)) return false;
  const TSelection sel = ClampedSelection(in);
  switch (in.EditType) {
    case edtInteger:
      if (IsSign(c)) return in.Text.find(c) == std::string_view::npos && sel.start == 0;
      return true;
    case edtFloat:
    case edtFloatP:
      return FloatCharAllowed(c, in, sel);
    default:
      return true;
  }
}

std::string PasteCandidate(const TKeyFilterInput& in, std::string_view clip) {
  const TSelection sel = ClampedSelection(in);
  std::string candidate(in.Text.substr(0, sel.start));
  candidate += clip;
  candidate += in.Text.substr(sel.start + sel.length);
  return candidate;
}

bool PasteAllowed(const std::optional<std::string_view>& clip, const TKeyFilterInput& in) {
  if (!clip) return false;
  if (in.EditType == edtChar) return true;
  for (char c : *clip)
    if (!CharAllowed(c, in)) return false;
  switch (in.EditType) {
    case edtInteger:
    case edtCardinal: {
      int32_t ignored = 0;
      return numtext::TryTextToInt(PasteCandidate(in, *clip), ignored);
    }
    case edtFloat:
    case edtFloatP: {
      double ignored = 0;
      return numtext::TryTextToFloat(PasteCandidate(in, *clip), in.DecimalSeparator, ignored);
    }
    default:
      return true;
  }
}
