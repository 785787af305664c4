#pragma once
// A white 32-bit bitmap selected into a memory device context, for tests that
// draw and then read pixels without a screen.

#include <windows.h>

#include <cstdint>

struct TInkBox {
  int Left = 0, Top = 0, Right = -1, Bottom = -1;  // inclusive; empty: Right < Left
  bool Empty() const { return Right < Left; }
};

class TMemoryBitmap {
public:
  TMemoryBitmap(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    Clear();
  }
  ~TMemoryBitmap() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TMemoryBitmap(const TMemoryBitmap&) = delete;
  TMemoryBitmap& operator=(const TMemoryBitmap&) = delete;

  HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Clear(COLORREF color = RGB(255, 255, 255)) {
    GdiFlush();
    const uint32_t v = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = v;
  }
  // The pixel as a COLORREF (red in the low byte).
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const uint32_t v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // The box around every pixel that is not `background`.
  TInkBox Ink(COLORREF background = RGB(255, 255, 255)) const {
    TInkBox box{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        if (Pixel(x, y) == background) continue;
        if (x < box.Left) box.Left = x;
        if (x > box.Right) box.Right = x;
        if (y < box.Top) box.Top = y;
        if (y > box.Bottom) box.Bottom = y;
      }
    return box;
  }
  // Whether two bitmaps of the same size hold the same pixels.
  bool SamePixels(const TMemoryBitmap& other) const {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
      if ((bits_[i] & 0xFFFFFF) != (other.bits_[i] & 0xFFFFFF)) return false;
    return true;
  }
  // How many pixels have exactly this colour.
  int Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += Pixel(x, y) == color;
    return n;
  }

private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};
