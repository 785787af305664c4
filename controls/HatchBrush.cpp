#include "controls/HatchBrush.h"

#include "controls/HatchPatterns.h"
#include "framework/Exception.h"

THatchBrush::THatchBrush(int index) {
  if (index < 0 || index >= HatchPatternCount) throw Exception("No hatch pattern " + std::to_string(index));
  // In a monochrome bitmap a 0 bit takes the text colour: the line pixels are
  // the cleared bits. Rows of 4 bytes are word-aligned as the call wants.
  THatchPattern bits = HatchPatterns[static_cast<size_t>(index)];
  for (uint8_t& b : bits) b = static_cast<uint8_t>(~b);
  HBITMAP bitmap = CreateBitmap(HatchPatternSide, HatchPatternSide, 1, 1, bits.data());
  if (!bitmap) throw EOutOfMemory();
  brush_ = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);  // the brush keeps its own copy
  if (!brush_) throw EOutOfMemory();
}

THatchBrush::~THatchBrush() {
  if (brush_) DeleteObject(brush_);
}
