#include "controls/HatchPatterns.h"

#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/UnitTrace.h"

std::array<THatchPattern, HatchPatternCount> HatchPatterns{};

namespace {

bool Loaded = false;

// Line pixels are the black ones; rows are read from the top whatever order
// the resource stores them in.
void ReadRecord(const TBitmap& bitmap, THatchPattern& record) {
  record.fill(0);
  const std::vector<uint32_t> pixels = bitmap.ReadPixels();
  const int w = bitmap.Width() < HatchPatternSide ? bitmap.Width() : HatchPatternSide;
  const int h = bitmap.Height() < HatchPatternSide ? bitmap.Height() : HatchPatternSide;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (pixels[static_cast<size_t>(y) * bitmap.Width() + x] == 0) SetHatchPixel(record, x, y);
}

}  // namespace

bool HatchPatternsLoaded() { return Loaded; }

void LoadHatchPatterns(HINSTANCE module) {
  std::array<THatchPattern, HatchPatternCount> table{};
  TBitmap bitmap;
  for (int i = 0; i < HatchPatternCount; ++i) {
    if (!bitmap.LoadFromResourceName(HatchPatternNames[i], module))
      throw EResNotFound(std::string("Resource ") + HatchPatternNames[i] + " not found");
    ReadRecord(bitmap, table[static_cast<size_t>(i)]);
  }
  HatchPatterns = table;
  Loaded = true;
}

void HatchUnitStart() {
  LoadHatchPatterns(nullptr);
  UnitTrace("HatchPatterns: started");
}

void HatchUnitStop() {
  HatchPatterns = {};
  Loaded = false;
  UnitTrace("HatchPatterns: stopped");
}
