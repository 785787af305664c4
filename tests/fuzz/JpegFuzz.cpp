// libFuzzer target over the JPEG decoder behind the framework's picture
// format. Besides running free of crashes, leaks and undefined behaviour, it
// checks that
//  - bad data fails only with the picture error (EInvalidGraphic);
//  - a picture that decodes has the size its header announces, encodes, and
//    its encoding decodes again to the same size.
// Pictures above a million pixels are refused by the fuzzer's own rows (as a
// program short of memory would), to keep runs fast; the decoder's own limits
// are tested in the codec's tests.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/Exception.h"
#include "framework/JpegCodec.h"

namespace {

struct TTooLarge {};

bool Decode(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, int& width, int& height) {
  try {
    JpegDecode(data, size, [&](int w, int h) {
      if (w < 1 || h < 1) std::abort();
      if (static_cast<uint64_t>(w) * h > 1'000'000) throw TTooLarge{};
      width = w;
      height = h;
      pixels.assign(static_cast<size_t>(w) * h * 3, 0);
      return TJpegRows{pixels.data(), w * 3};
    });
    return true;
  } catch (const EInvalidGraphic&) {
    return false;
  } catch (const TTooLarge&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> pixels;
  int width = 0, height = 0;
  if (!Decode(data, size, pixels, width, height)) return 0;

  const TJpegSize announced = JpegReadSize(data, size);
  if (announced.Width != width || announced.Height != height) std::abort();

  const std::vector<uint8_t> again = JpegEncode(pixels.data(), width * 3, width, height, jpfBGR, 75);
  std::vector<uint8_t> pixels2;
  int width2 = 0, height2 = 0;
  if (!Decode(again.data(), again.size(), pixels2, width2, height2) || width2 != width || height2 != height)
    std::abort();
  return 0;
}
