#include "framework/Bitmap.h"

#include <cstring>
#include <utility>

#include "framework/Exception.h"
#include "framework/GdiCache.h"
#include "framework/WinText.h"

TBitmap::~TBitmap() { Clear(); }

void TBitmap::Clear() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = rowBytes_ = 0;
}

void TBitmap::Swap(TBitmap& other) noexcept {
  std::swap(handle_, other.handle_);
  std::swap(bits_, other.bits_);
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  std::swap(rowBytes_, other.rowBytes_);
}

namespace {

// An uncompressed bitmap resource as a DIB section with the resource's own
// header: rows stay in the order the resource stores them, either way (the
// system's loader mishandles rows stored from the top on some systems).
// Null for anything else (compressed, old-style header) or a resource whose
// size does not hold what its header says.
HBITMAP DibSectionFromResource(HINSTANCE module, const wchar_t* name) {
  HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  const auto* bytes = static_cast<const uint8_t*>(data ? LockResource(data) : nullptr);
  const DWORD size = info ? SizeofResource(module, info) : 0;
  if (!bytes || size < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER h;
  std::memcpy(&h, bytes, sizeof h);
  if (h.biSize < sizeof h || h.biSize > size || h.biPlanes != 1 || h.biWidth <= 0 || h.biWidth > 32767 ||
      h.biHeight == 0 || h.biHeight > 32767 || h.biHeight < -32767)
    return nullptr;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return nullptr;
  const WORD bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
  uint64_t colours = h.biClrUsed ? h.biClrUsed : (bpp <= 8 ? 1u << bpp : 0);
  if (bpp <= 8 && colours > (1u << bpp)) return nullptr;
  uint64_t tableBytes = colours * 4 + (h.biCompression == BI_BITFIELDS && h.biSize == sizeof h ? 12 : 0);
  const uint64_t rowBytes = (static_cast<uint64_t>(h.biWidth) * bpp + 31) / 32 * 4;
  const uint64_t bitsBytes = rowBytes * static_cast<uint64_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
  if (h.biSize + tableBytes + bitsBytes > size) return nullptr;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(bytes), DIB_RGB_COLORS, &bits,
                                    nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  std::memcpy(bits, bytes + h.biSize + tableBytes, static_cast<size_t>(bitsBytes));
  return bitmap;
}

}  // namespace

bool TBitmap::LoadFromResourceName(const std::string& name, HINSTANCE module) {
  Clear();
  if (!module) module = GetModuleHandleW(nullptr);
  const std::wstring wideName = Wide(name);
  handle_ = DibSectionFromResource(module, wideName.c_str());
  if (!handle_)
    handle_ = static_cast<HBITMAP>(LoadImageW(module, wideName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!handle_) return false;
  BITMAP bm{};
  GetObjectW(handle_, sizeof bm, &bm);
  width_ = bm.bmWidth;
  height_ = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  return true;
}

void TBitmap::SetSize(int width, int height) {
  if (width < 1 || height < 1 || width > 32767 || height > 32767)
    throw EInvalidGraphic("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels cannot be made");
  Clear();
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // rows from the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle || !bits) {
    if (handle) DeleteObject(handle);
    throw EOutOfMemory();
  }
  handle_ = handle;
  bits_ = static_cast<uint8_t*>(bits);
  width_ = width;
  height_ = height;
  rowBytes_ = (width * 3 + 3) & ~3;
}

std::vector<uint32_t> TBitmap::ReadPixels() const {
  std::vector<uint32_t> pixels;
  if (!handle_) return pixels;
  pixels.resize(static_cast<size_t>(width_) * height_);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  int rows =
      GetDIBits(gdi::MemoryDC(), handle_, 0, static_cast<UINT>(height_), pixels.data(), &bi, DIB_RGB_COLORS);
  if (rows != height_) throw EInvalidGraphic("The picture's pixels cannot be read");
  for (uint32_t& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}
