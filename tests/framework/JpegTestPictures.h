#pragma once
// Pictures for the JPEG tests: a smooth synthetic picture in blue-green-red
// rows, and ways to spoil its JPEG file.

#include <cstdint>
#include <cstdlib>
#include <vector>

struct TTestPicture {
  int Width, Height;
  std::vector<uint8_t> Pixels;  // 3 bytes a pixel, rows from the top, no padding

  TTestPicture(int width, int height) : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height * 3) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint8_t* p = &Pixels[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = static_cast<uint8_t>(40 + 160 * x / width);
        p[1] = static_cast<uint8_t>(200 - 150 * y / height);
        p[2] = static_cast<uint8_t>(60 + 100 * (x + y) / (width + height));
      }
  }
};

// Where marker FF <code> starts in a JPEG file, or -1.
inline long FindMarker(const std::vector<uint8_t>& jpeg, uint8_t code) {
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return static_cast<long>(i);
  return -1;
}

inline int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  int worst = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  return worst;
}
