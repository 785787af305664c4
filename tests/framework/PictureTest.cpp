// JPEG pictures through the framework: the format the framework registers at
// start in a program that links it, files under names no code page holds,
// and a failed load that leaves the picture as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "JpegTestPictures.h"
#include "framework/Exception.h"
#include "framework/Picture.h"

namespace {

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

void Fill(TBitmap& b, const TTestPicture& p) {
  b.SetSize(p.Width, p.Height);
  for (int y = 0; y < p.Height; ++y) std::copy_n(&p.Pixels[static_cast<size_t>(y) * p.Width * 3], p.Width * 3, b.ScanLine(y));
}

std::vector<uint8_t> Bgr(const TBitmap& b) {
  std::vector<uint8_t> out;
  for (uint32_t px : b.ReadPixels()) {
    out.push_back(static_cast<uint8_t>(px));
    out.push_back(static_cast<uint8_t>(px >> 8));
    out.push_back(static_cast<uint8_t>(px >> 16));
  }
  return out;
}

void WriteBytes(const std::wstring& name, const std::vector<uint8_t>& data) {
  HANDLE f = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
  CloseHandle(f);
}

TEST(Picture, TheFrameworkRegistersJpegAtStart) {
  for (const char* e : {"jpg", ".JPG", "jpeg"}) EXPECT_NE(PictureFormatForExtension(e), nullptr) << e;
  EXPECT_EQ(PictureFormatForExtension("gif"), nullptr);
}

TEST(Picture, JpegFileRoundTripUnderAnyName) {
  const TTestPicture source(48, 40);
  TPicture picture;
  Fill(picture.Bitmap(), source);
  const std::wstring name = TempFile(L"k\u00e9p \u0436\u0443\u0440\u043d\u0430\u043b \u0151.jpg");
  picture.SaveToFile(name);

  TPicture loaded;
  loaded.LoadFromFile(name);
  DeleteFileW(name.c_str());
  ASSERT_EQ(loaded.Bitmap().Width(), 48);
  ASSERT_EQ(loaded.Bitmap().Height(), 40);
  EXPECT_LE(MaxDifference(Bgr(loaded.Bitmap()), source.Pixels), 16);
}

TEST(Picture, AFailedLoadLeavesThePictureAsItWas) {
  const TTestPicture source(32, 24);
  TPicture picture;
  Fill(picture.Bitmap(), source);
  const std::vector<uint8_t> good = picture.SaveToMemory("jpg");
  picture.LoadFromMemory(good.data(), good.size());
  const std::vector<uint8_t> before = Bgr(picture.Bitmap());

  std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(good.size() * 2 / 3));
  EXPECT_THROW(picture.LoadFromMemory(cut.data(), cut.size()), EInvalidGraphic);
  const std::wstring name = TempFile(L"korvex-cut.jpg");
  WriteBytes(name, cut);
  EXPECT_THROW(picture.LoadFromFile(name), EInvalidGraphic);
  DeleteFileW(name.c_str());

  EXPECT_EQ(picture.Bitmap().Width(), 32);
  EXPECT_EQ(Bgr(picture.Bitmap()), before);
}

TEST(Picture, WhatIsNotAKnownPictureIsRefused) {
  TPicture picture;
  const uint8_t text[] = "not a picture";
  EXPECT_THROW(picture.LoadFromMemory(text, sizeof text), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(TempFile(L"picture.xyz")), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(TempFile(L"no such picture.jpg")), EInOutError);
  EXPECT_THROW(picture.SaveToMemory("jpg"), EInvalidGraphic) << "an empty picture";
  EXPECT_TRUE(picture.Bitmap().Empty());
}

}  // namespace
