#pragma once
// TEditType: the kind of value a typed input control holds, and the set of
// characters its key filter lets through. The ordinals are stored in form
// layouts as one byte, so the order is fixed.

#include <bitset>
#include <cstdint>

enum TEditType : uint8_t {
  edtChar,      // free text
  edtBin,       // binary digits
  edtHex,       // hexadecimal integer
  edtInteger,   // signed integer
  edtCardinal,  // unsigned integer
  edtFloat,     // floating-point number
  edtFloatP,    // floating-point number, no minus sign in the mantissa
};

// A set of the 256 byte characters (code page 1250), indexed by the unsigned
// byte value.
using TCharSet = std::bitset<256>;

inline bool InCharSet(const TCharSet& set, char c) {
  return set.test(static_cast<unsigned char>(c));
}

// The characters a control of type t accepts from the keyboard. The float
// types include `decimalSeparator`, so the set must be rebuilt when the
// separator changes. An ordinal outside the enumeration gives the empty set.
TCharSet EditTypeChars(TEditType t, char decimalSeparator);
