#include "framework/Bitmap.h"

#include "framework/WinText.h"

TBitmap::~TBitmap() { Clear(); }

void TBitmap::Clear() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  width_ = height_ = 0;
}

bool TBitmap::LoadFromResourceName(const std::string& name) {
  Clear();
  handle_ = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), Wide(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!handle_) return false;
  BITMAP bm{};
  GetObjectW(handle_, sizeof bm, &bm);
  width_ = bm.bmWidth;
  height_ = bm.bmHeight;
  return true;
}
