// The JPEG picture format: JPEG files read into and written from the
// framework's bitmap picture. A program that links this file (the object
// library korvex_jpeg_format) carries the format; the framework registers it
// when it starts (Picture.h).
#include "framework/Bitmap.h"
#include "framework/JpegCodec.h"
#include "framework/Picture.h"

namespace {

// Decodes straight into the bitmap's rows: a 24-bit picture with rows from
// the top has the layout the decoder writes.
void Load(const uint8_t* data, size_t size, TBitmap& into) {
  JpegDecode(data, size, [&](int width, int height) {
    into.SetSize(width, height);
    return TJpegRows{into.ScanLine(0), into.RowBytes()};
  });
}

std::vector<uint8_t> Save(const TBitmap& from) {
  const std::vector<uint32_t> pixels = from.ReadPixels();
  return JpegEncode(reinterpret_cast<const uint8_t*>(pixels.data()), static_cast<ptrdiff_t>(from.Width()) * 4,
                    from.Width(), from.Height(), jpfBGRX, 90);
}

const TPictureFormat JpegFormat{"jpg jpeg jpe jfif", "JPEG Image File", &LooksLikeJpeg, &Load, &Save};
const TLinkedPictureFormat Linked(JpegFormat);

}  // namespace
