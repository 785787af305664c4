// libFuzzer target over the value rules of the typed input controls: the key
// filter, the paste check, reading texts as values, and formatting values
// through patterns. Besides running free of crashes and undefined behaviour
// it checks these properties:
//  - Enter and every key of a read-only control are refused; an accepted
//    printable key is in the type's character set.
//  - An accepted paste of an integer or float type leaves a text that reads.
//  - A text that reads as a float reads as a finite one.
//  - Formatting a finite value through any pattern succeeds.
//  - The general format reads back. It keeps 15 significant digits, which a
//    double does not always survive, so "the same double" means: (a) the
//    text read back and formatted again is the same text, and (b) a value
//    whose shortest exact decimal form has at most 15 significant digits
//    reads back as exactly that value (zero of either sign counting as one).
//
// Input layout: a header of 17 bytes (missing bytes are zero), then up to two
// texts separated by a zero byte:
//   0 operation   1 edit type (7 is outside the enumeration)
//   2 separators: 0 Hungarian, 1 English, 2 bytes 3 and 4 (any bytes, for
//     robustness), 3 English
//   5 SelStart (signed)   6 SelLength (signed)   7 flags: 1 read-only,
//   2 modified, 4 the conversion event is assigned, 8 it throws
//   8 the typed character   9..16 the bits of a double

#include "controls/FloatFormat.h"
#include "controls/KeyFilter.h"
#include "controls/NumberText.h"
#include "controls/SpinSteps.h"
#include "controls/ValueRoutines.h"
#include "controls/ValueText.h"
#include "framework/Exception.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
  }
}

struct Header {
  uint8_t operation, type, separators, decimal, thousand;
  int8_t selStart, selLength;
  uint8_t flags;
  char key;
  double value;
};

// Significant digits of the shortest decimal form that reads back exactly.
int ShortestDigits(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific);
  std::string mantissa(buf, static_cast<std::size_t>(std::find(buf, r.ptr, 'e') - buf));
  std::string digits;
  for (char c : mantissa)
    if (c != '.') digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return static_cast<int>(digits.size());
}

// A separator that can be part of a number in its own right (a digit, a
// sign, an exponent letter, a blank) makes texts ambiguous; the round trip is
// only promised for the others.
bool UsableSeparator(char sep) {
  return !((sep >= '0' && sep <= '9') || sep == '+' || sep == '-' || sep == 'E' || sep == 'e' || sep == ' ');
}

void GeneralRoundTrip(double v, char sep) {
  if (!std::isfinite(v) || !UsableSeparator(sep)) return;
  const std::string text = numtext::FormatGeneral(v, sep);
  double back = 0;
  Check(numtext::TryTextToFloat(text, sep, back), "the general format reads back");
  Check(numtext::FormatGeneral(back, sep) == text, "the general format is stable");
  if (ShortestDigits(v) <= 15) Check(back == v, "a 15-digit value comes back exactly");
}

void KeyFilter(const Header& h, const TKeyFilterInput& in) {
  const bool allowed = CharAllowed(h.key, in);
  const unsigned char byte = static_cast<unsigned char>(h.key);
  if (byte == 13 || in.ReadOnly) Check(!allowed, "Enter and read-only keys are refused");
  if (allowed && byte >= 32) Check(InCharSet(in.AllowedChars, h.key), "accepted keys are in the set");
}

void Paste(const TKeyFilterInput& in, std::string_view clip, bool hasText) {
  const std::optional<std::string_view> clipboard = hasText ? std::optional(clip) : std::nullopt;
  const bool allowed = PasteAllowed(clipboard, in);
  const std::string candidate = PasteCandidate(in, clip);
  Check(candidate.size() >= clip.size() && candidate.size() <= in.Text.size() + clip.size(),
        "the candidate replaces the selection");
  if (!allowed) return;
  if (in.EditType == edtInteger || in.EditType == edtCardinal) Check(!NotAnInteger(candidate), "pasted integer reads");
  if (in.EditType == edtFloat || in.EditType == edtFloatP)
    Check(!NotAFloat(candidate, in.DecimalSeparator), "pasted float reads");
}

void Read(const Header& h, std::string_view text, char sep) {
  double v = 0;
  if (numtext::TryTextToFloat(text, sep, v)) {
    Check(std::isfinite(v), "a float read is finite");
    GeneralRoundTrip(v, sep);
  }
  int32_t i = 0;
  (void)numtext::TryTextToInt(text, i);
  TValueReading r;
  r.Modified = (h.flags & 2) != 0;
  r.StoredValue = h.value;
  r.Text = text;
  r.EditType = static_cast<TEditType>(h.type);
  r.DecimalSeparator = sep;
  if (h.flags & 4) {
    const bool throws = (h.flags & 8) != 0;
    r.StrToVal = [throws, v](std::string_view) -> double {
      if (throws) throw Exception("conversion event failed");
      return v;
    };
  }
  (void)ValueExtOf(r);
  (void)ValueIntOf(r);
}

void Format(const Header& h, std::string_view pattern, char sep, char thousand) {
  if (std::isfinite(h.value)) {
    try {
      (void)numtext::FormatFloat(pattern, h.value, sep, thousand);
    } catch (const EConvertError&) {
      Check(false, "a finite value formats");
    }
  }
  const TValueWriting w{static_cast<TEditType>(h.type), pattern, sep, thousand};
  (void)ValueExtText(h.value, w);
  int32_t i = 0;
  std::memcpy(&i, &h.value, sizeof i);
  (void)ValueIntText(i, w);
}

void Steps(const Header& h, std::string_view text) {
  double more[3] = {};
  if (!text.empty()) std::memcpy(more, text.data(), std::min(text.size(), sizeof more));
  (void)FloatStepUp(h.value, more[0], more[0] * 1e-6, more[1], more[2]);
  (void)FloatStepDown(h.value, more[0], more[0] * 1e-6, FloatPMinimum(more[1]), more[2]);
  try {
    (void)SnapToIncrement(h.value, more[0]);
  } catch (const EConvertError&) {
  }
  int32_t ints[4] = {};
  if (!text.empty()) std::memcpy(ints, text.data(), std::min(text.size(), sizeof ints));
  const auto up = IntStepUp(ints[0], ints[1], ints[2], ints[3]);
  if (up && !(ints[2] == 0 && ints[3] == 0)) Check(*up <= ints[3], "an integer step up stays in range");
  (void)IntStepDown(ints[0], ints[1], ints[2], ints[3]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  uint8_t raw[17] = {};
  std::memcpy(raw, data, std::min(size, sizeof raw));
  Header h{};
  h.operation = raw[0];
  h.type = raw[1] % 8;
  h.separators = raw[2] % 4;
  h.decimal = raw[3];
  h.thousand = raw[4];
  h.selStart = static_cast<int8_t>(raw[5]);
  h.selLength = static_cast<int8_t>(raw[6]);
  h.flags = raw[7];
  h.key = static_cast<char>(raw[8]);
  std::memcpy(&h.value, raw + 9, sizeof h.value);

  const std::string_view rest = size > sizeof raw
      ? std::string_view(reinterpret_cast<const char*>(data) + sizeof raw, size - sizeof raw)
      : std::string_view();
  const std::size_t zero = rest.find('\0');
  const std::string_view first = rest.substr(0, zero);
  const std::string_view second = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);

  char sep = '.', thousand = ',';
  if (h.separators == 0) {
    sep = ',';
    thousand = '\xA0';
  } else if (h.separators == 2) {
    sep = static_cast<char>(h.decimal);
    thousand = static_cast<char>(h.thousand);
  }

  TKeyFilterInput in;
  in.EditType = static_cast<TEditType>(h.type);
  in.AllowedChars = EditTypeChars(in.EditType, sep);
  in.Text = first;
  in.SelStart = h.selStart;
  in.SelLength = h.selLength;
  in.ReadOnly = (h.flags & 1) != 0;
  in.DecimalSeparator = sep;

  switch (h.operation % 6) {
    case 0: KeyFilter(h, in); break;
    case 1: Paste(in, second, (h.flags & 16) == 0); break;
    case 2: Read(h, first, sep); break;
    case 3: Format(h, first, sep, thousand); break;
    case 4:
      GeneralRoundTrip(h.value, sep);
      GeneralRoundTrip(h.value, ',');
      break;
    case 5: Steps(h, first); break;
  }
  return 0;
}
