#pragma once
// TBitmap: a device-independent bitmap, loaded from the program's resources
// by name. Owns its system bitmap.

#include <windows.h>

#include <string>

#include "framework/Object.h"

class TBitmap : public TObject {
public:
  TBitmap() = default;
  ~TBitmap() override;

  // Loads the bitmap resource of that name from the program; false (and an
  // empty bitmap) when there is none.
  bool LoadFromResourceName(const std::string& name);
  void Clear();

  bool Empty() const { return handle_ == nullptr; }
  HBITMAP Handle() const { return handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

private:
  HBITMAP handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
