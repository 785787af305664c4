#pragma once
// TBitmap: the framework's bitmap picture, a device-independent bitmap (DIB
// section) that owns its system bitmap. It is either loaded from a bitmap
// resource (any format the system loads) or made by SetSize, which gives a
// 24-bit picture with rows from the top whose pixels are written through
// ScanLine. ReadPixels reads any of them the same way.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Object.h"

class TBitmap : public TObject {
public:
  TBitmap() = default;
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // Loads the bitmap resource of that name from `module` (the program's own
  // when null); false (and an empty bitmap) when there is none.
  bool LoadFromResourceName(const std::string& name, HINSTANCE module = nullptr);
  // Makes a 24-bit picture of that size with undefined pixels; EOutOfMemory
  // when the system cannot make it, EInvalidGraphic for a size outside
  // 1 .. 32767 on either side.
  void SetSize(int width, int height);
  void Clear();
  // Exchanges the two pictures.
  void Swap(TBitmap& other) noexcept;

  bool Empty() const { return handle_ == nullptr; }
  HBITMAP Handle() const { return handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Pictures made by SetSize only: row y from the top, 3 bytes a pixel
  // (blue, green, red), RowBytes() apart (a multiple of 4).
  uint8_t* ScanLine(int y) const { return bits_ + static_cast<size_t>(y) * rowBytes_; }
  int RowBytes() const { return rowBytes_; }

  // Every pixel as 0x00RRGGBB, rows from the top, whatever the bitmap's
  // format and row order; empty for an empty bitmap.
  std::vector<uint32_t> ReadPixels() const;

private:
  HBITMAP handle_ = nullptr;
  uint8_t* bits_ = nullptr;  // owned by handle_; set by SetSize only
  int width_ = 0;
  int height_ = 0;
  int rowBytes_ = 0;
};
