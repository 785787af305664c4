// JPEG decoding and encoding without a window: round trips, and every kind of
// bad data failing with the picture error (natively under the sanitizers,
// which also see that no path leaks libjpeg's memory).
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "JpegTestPictures.h"
#include "framework/Exception.h"
#include "framework/JpegCodec.h"

namespace {

std::vector<uint8_t> Encode(const TTestPicture& p, int quality = 95) {
  return JpegEncode(p.Pixels.data(), p.Width * 3, p.Width, p.Height, jpfBGR, quality);
}

// Decodes into a tight buffer; records the size it was asked for.
std::vector<uint8_t> Decode(const std::vector<uint8_t>& jpeg, int* width = nullptr, int* height = nullptr) {
  std::vector<uint8_t> out;
  JpegDecode(jpeg.data(), jpeg.size(), [&](int w, int h) {
    if (width) *width = w;
    if (height) *height = h;
    out.resize(static_cast<size_t>(w) * h * 3);
    return TJpegRows{out.data(), w * 3};
  });
  return out;
}

TEST(JpegCodec, RoundTripStaysClose) {
  for (auto [w, h] : {std::pair{64, 48}, std::pair{33, 17}, std::pair{1, 1}}) {
    const TTestPicture picture(w, h);
    const std::vector<uint8_t> jpeg = Encode(picture);
    EXPECT_TRUE(LooksLikeJpeg(jpeg.data(), jpeg.size()));
    EXPECT_EQ(JpegReadSize(jpeg.data(), jpeg.size()).Width, w);
    int dw = 0, dh = 0;
    const std::vector<uint8_t> back = Decode(jpeg, &dw, &dh);
    EXPECT_EQ(dw, w);
    EXPECT_EQ(dh, h);
    EXPECT_LE(MaxDifference(picture.Pixels, back), 12) << w << " x " << h;
  }
}

// Rows of 4 bytes a pixel with a stride larger than the row encode as the
// same picture as tight 3-byte rows.
TEST(JpegCodec, FourBytePixelsAndPaddedRowsEncodeTheSamePicture) {
  const TTestPicture picture(40, 30);
  const int stride = 40 * 4 + 12;
  std::vector<uint8_t> padded(static_cast<size_t>(stride) * 30, 0xEE);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      std::copy_n(&picture.Pixels[(y * 40 + x) * 3], 3, &padded[static_cast<size_t>(y) * stride + x * 4]);
  EXPECT_EQ(JpegEncode(padded.data(), stride, 40, 30, jpfBGRX, 90), Encode(picture, 90));
}

TEST(JpegCodec, LowerQualityMakesSmallerFiles) {
  const TTestPicture picture(96, 96);
  EXPECT_LT(Encode(picture, 20).size(), Encode(picture, 95).size());
}

struct TBadCase {
  const char* Name;
  std::vector<uint8_t> (*Spoil)(std::vector<uint8_t> jpeg);
};

std::vector<uint8_t> SetSofSize(std::vector<uint8_t> j, int width, int height) {
  const long sof = FindMarker(j, 0xC0);
  j[sof + 5] = static_cast<uint8_t>(height >> 8);
  j[sof + 6] = static_cast<uint8_t>(height);
  j[sof + 7] = static_cast<uint8_t>(width >> 8);
  j[sof + 8] = static_cast<uint8_t>(width);
  return j;
}

const TBadCase BadCases[] = {
    {"empty", [](std::vector<uint8_t>) { return std::vector<uint8_t>{}; }},
    {"not a JPEG", [](std::vector<uint8_t>) { return std::vector<uint8_t>{'B', 'M', 0, 0, 1, 2, 3, 4}; }},
    {"start marker only", [](std::vector<uint8_t>) { return std::vector<uint8_t>{0xFF, 0xD8}; }},
    {"cut inside the header", [](std::vector<uint8_t> j) { j.resize(static_cast<size_t>(FindMarker(j, 0xC0)) + 4); return j; }},
    {"cut where the scan starts", [](std::vector<uint8_t> j) { j.resize(static_cast<size_t>(FindMarker(j, 0xDA)) + 14); return j; }},
    {"cut in half", [](std::vector<uint8_t> j) { j.resize(j.size() / 2); return j; }},
    {"end marker missing", [](std::vector<uint8_t> j) { j.resize(j.size() - 2); return j; }},
    {"zero height", [](std::vector<uint8_t> j) { return SetSofSize(j, 64, 0); }},
    {"too large", [](std::vector<uint8_t> j) { return SetSofSize(j, 65000, 65000); }},
    {"Huffman tables replaced by junk",
     [](std::vector<uint8_t> j) {
       const long dht = FindMarker(j, 0xC4);
       for (long i = dht + 5; i < dht + 21; ++i) j[i] = 0xFF;
       return j;
     }},
    {"scan data zeroed",
     [](std::vector<uint8_t> j) {
       std::fill(j.begin() + FindMarker(j, 0xDA) + 14, j.end() - 2, uint8_t{0});
       return j;
     }},
};

TEST(JpegCodec, BadDataRaisesThePictureErrorAndReportsNoPicture) {
  const std::vector<uint8_t> good = Encode(TTestPicture(64, 48));
  for (const TBadCase& c : BadCases) {
    const std::vector<uint8_t> bad = c.Spoil(good);
    bool allocated = false;
    try {
      JpegDecode(bad.data(), bad.size(), [&](int w, int h) {
        allocated = true;
        static std::vector<uint8_t> sink;
        sink.resize(static_cast<size_t>(w) * h * 3);
        return TJpegRows{sink.data(), w * 3};
      });
      ADD_FAILURE() << c.Name << ": decoded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message().rfind("JPEG error: ", 0), 0u) << c.Name << ": " << e.Message();
    }
    if (std::string(c.Name) == "too large") {
      EXPECT_FALSE(allocated) << "no memory asked for a refused size";
    }
  }
}

TEST(JpegCodec, FailureOfTheRowsLeavesTheDecoderCleanly) {
  const std::vector<uint8_t> good = Encode(TTestPicture(16, 16));
  EXPECT_THROW(JpegDecode(good.data(), good.size(), [](int, int) -> TJpegRows { throw std::runtime_error("no"); }),
               std::runtime_error);
}

TEST(JpegCodec, SizesThatCannotBeStoredAreRefused) {
  const uint8_t pixel[4] = {};
  EXPECT_THROW(JpegEncode(pixel, 3, 0, 1, jpfBGR, 90), EInvalidGraphic);
  EXPECT_THROW(JpegEncode(pixel, 3, 70000, 1, jpfBGR, 90), EInvalidGraphic);
}

}  // namespace
