// Decoding speed of the framework's JPEG picture against libjpeg-turbo's own
// decompression of the same file into a plain buffer (run by
// tools/bench-jpeg.sh under Wine; not a test).
//
//   JpegBench [ROUNDS]   (default 21)
//
// The file: a 1920 x 1080 synthetic photograph-like picture (gradients, edges
// and noise) encoded once by the framework at quality 90, 2 x 2 chroma. Each
// round decodes it once each way, in alternating order; the figures are the
// medians (and minimums) of the wall-clock times over the rounds, and the
// ratio of the medians. (Processor time is not shown: under Wine the process
// times advance in steps of 10 ms or more, coarser than one decoding.)
//   baseline  libjpeg-turbo alone: the default error handler, 3-byte RGB
//             rows into a freshly allocated buffer, one row per call;
//   picture   TPicture::LoadFromMemory: format lookup, the DIB section of the
//             bitmap picture, the decoder with its own error manager writing
//             straight into the bitmap's rows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "framework/Application.h"
#include "framework/JpegCodec.h"
#include "framework/Picture.h"

namespace {

constexpr int Width = 1920, Height = 1080;

std::vector<uint8_t> MakeJpeg() {
  std::vector<uint8_t> pixels(static_cast<size_t>(Width) * Height * 3);
  std::mt19937 random(7);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      uint8_t* p = &pixels[(static_cast<size_t>(y) * Width + x) * 3];
      const int band = ((x / 97) + (y / 61)) % 5;
      const int noise = static_cast<int>(random() % 24);
      p[0] = static_cast<uint8_t>(std::min(255, x * 200 / Width + band * 9 + noise));
      p[1] = static_cast<uint8_t>(std::min(255, y * 180 / Height + band * 13 + noise));
      p[2] = static_cast<uint8_t>(std::min(255, (x ^ y) % 160 + noise));
    }
  return JpegEncode(pixels.data(), Width * 3, Width, Height, jpfBGR, 90);
}

void DecodeWithLibjpeg(const std::vector<uint8_t>& jpeg) {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  const size_t stride = static_cast<size_t>(info.output_width) * info.output_components;
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[stride * info.output_height]);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = buffer.get() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  volatile uint8_t sink = buffer[stride * info.output_height / 2];
  (void)sink;
}

void DecodeAsPicture(const std::vector<uint8_t>& jpeg) {
  TPicture picture;
  picture.LoadFromMemory(jpeg.data(), jpeg.size());
  if (picture.Bitmap().Width() != Width) std::abort();
}

// Milliseconds of wall-clock time f takes.
template <class F>
double Time(F f) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  f();
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
  StartFramework();
  const std::vector<uint8_t> jpeg = MakeJpeg();
  std::printf("file: %d x %d, %zu bytes; %d rounds\n\n", Width, Height, jpeg.size(), rounds);
  DecodeWithLibjpeg(jpeg);  // warm-up
  DecodeAsPicture(jpeg);

  std::vector<double> base, pic;
  for (int r = 0; r < rounds; ++r) {
    if (r % 2 == 0) {
      base.push_back(Time([&] { DecodeWithLibjpeg(jpeg); }));
      pic.push_back(Time([&] { DecodeAsPicture(jpeg); }));
    } else {
      pic.push_back(Time([&] { DecodeAsPicture(jpeg); }));
      base.push_back(Time([&] { DecodeWithLibjpeg(jpeg); }));
    }
  }
  const double ratio = Median(pic) / Median(base);
  std::printf("| decoding | median | minimum | ratio of the medians |\n|---|---|---|---|\n");
  std::printf("| libjpeg-turbo into a plain buffer | %.2f ms | %.2f ms | 1.00 |\n", Median(base),
              *std::min_element(base.begin(), base.end()));
  std::printf("| the framework's picture (TPicture) | %.2f ms | %.2f ms | %.3f |\n\n", Median(pic),
              *std::min_element(pic.begin(), pic.end()), ratio);
  std::printf("goal: picture <= 1.2 x libjpeg-turbo (wall clock): %s\n", ratio <= 1.2 ? "met" : "MISSED");
  StopFramework();
  return ratio <= 1.2 ? 0 : 1;
}
