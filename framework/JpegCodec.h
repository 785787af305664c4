#pragma once
// JPEG decoding and encoding (libjpeg), with no window: the framework's JPEG
// picture format is built on it, and it is built and tested natively too.
//
// Failures raise EInvalidGraphic carrying libjpeg's message: data that is
// not JPEG, is corrupt or is cut short, a picture larger than the decoder
// accepts, a colour model it cannot turn into blue-green-red. Data that
// libjpeg only warns about (a cut-short scan it would fill with grey, bytes
// out of place) fails too: no picture is ever half decoded. libjpeg's own
// error handler (which ends the process) is never used.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Where decoded rows go: row 0 (the top one) and the distance between rows.
struct TJpegRows {
  uint8_t* First;
  ptrdiff_t Stride;
};

// The largest picture decoded: MaxJpegPixels pixels (a 24-bit picture of
// 256 MiB); libjpeg's own working memory is limited to 256 MiB as well.
constexpr uint64_t MaxJpegPixels = (uint64_t{256} << 20) / 3;

// Decodes `data` to 3 bytes a pixel (blue, green, red). `allocate` is called
// once, with the picture's width and height, when the header has been read
// and accepted, and says where the rows go; it may throw, and its exception
// then leaves JpegDecode. Whatever is in the rows when JpegDecode raises is
// not a picture.
void JpegDecode(const uint8_t* data, size_t size, const std::function<TJpegRows(int width, int height)>& allocate);

// The width and height a JPEG header announces (EInvalidGraphic when there is
// no readable header).
struct TJpegSize {
  int Width, Height;
};
TJpegSize JpegReadSize(const uint8_t* data, size_t size);

enum TJpegPixelFormat : uint8_t {
  jpfBGR,   // 3 bytes a pixel: blue, green, red
  jpfBGRX,  // 4 bytes a pixel: blue, green, red, unused
};

// Encodes a picture (rows from the top) as a baseline JPEG of the given
// quality (1 .. 100, clamped) with 2 x 2 chroma subsampling.
std::vector<uint8_t> JpegEncode(const uint8_t* firstRow, ptrdiff_t stride, int width, int height,
                                TJpegPixelFormat format, int quality);

// Whether `data` starts like a JPEG file (the SOI marker and another marker).
bool LooksLikeJpeg(const uint8_t* data, size_t size);
