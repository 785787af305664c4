#include "EditType.h"

namespace {

void AddRange(TCharSet& set, unsigned char from, unsigned char to) {
  for (unsigned c = from; c <= to; ++c) set.set(c);
}

}  // namespace

TCharSet EditTypeChars(TEditType t, char decimalSeparator) {
  TCharSet set;
  switch (t) {
    case edtChar:
      AddRange(set, 32, 255);
      break;
    case edtBin:
      AddRange(set, '0', '1');
      break;
    case edtHex:
      AddRange(set, '0', '9');
      AddRange(set, 'A', 'F');
      AddRange(set, 'a', 'f');
      break;
    case edtInteger:
      AddRange(set, '0', '9');
      set.set('+').set('-');
      break;
    case edtCardinal:
      AddRange(set, '0', '9');
      break;
    case edtFloat:
    case edtFloatP:
      AddRange(set, '0', '9');
      set.set('+').set('-').set('E').set('e');
      set.set(static_cast<unsigned char>(decimalSeparator));
      break;
  }
  return set;
}
