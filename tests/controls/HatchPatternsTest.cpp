// The hatch-pattern table as the program loads it from bitmap resources, and
// the brushes made from it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/HatchBrush.h"
#include "controls/HatchPatterns.h"
#include "framework/Exception.h"

namespace {

std::wstring BesideProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path, n);
  return s.substr(0, s.find_last_of(L"\\/") + 1) + name;
}

// A resource module built beside the test: hatch-topdown.dll holds all twelve
// bitmaps with rows stored from the top; hatch-partial.dll only the first
// five, stored the usual way.
class TResourceModule {
public:
  explicit TResourceModule(const wchar_t* name)
      : module_(LoadLibraryExW(BesideProgram(name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~TResourceModule() {
    if (module_) FreeLibrary(module_);
  }
  HINSTANCE Get() const { return module_; }

private:
  HMODULE module_;
};

class HatchTable : public ::testing::Test {
protected:
  void TearDown() override { HatchUnitStop(); }

  static void ExpectRuleBytes() {
    for (int i = 0; i < HatchPatternCount; ++i)
      EXPECT_EQ(HatchPatterns[static_cast<size_t>(i)], HatchRulePattern(i)) << HatchPatternNames[i];
  }
};

TEST_F(HatchTable, ProgramResourcesGiveTheRulesBytes) {
  HatchUnitStart();
  EXPECT_TRUE(HatchPatternsLoaded());
  ExpectRuleBytes();
  const std::array<uint8_t, 4> bdiagRow0{HatchPatterns[0][0], HatchPatterns[0][1], HatchPatterns[0][2],
                                         HatchPatterns[0][3]};
  EXPECT_EQ(bdiagRow0, (std::array<uint8_t, 4>{0x40, 0x40, 0x40, 0x40}));

  HatchUnitStop();
  EXPECT_FALSE(HatchPatternsLoaded());
  EXPECT_EQ(HatchPatterns[0], THatchPattern{});
}

TEST_F(HatchTable, RowsAreReadFromTheTopWhateverTheStoredOrder) {
  TResourceModule topDown(L"hatch-topdown.dll");
  ASSERT_NE(topDown.Get(), nullptr);
  LoadHatchPatterns(topDown.Get());
  ExpectRuleBytes();
}

TEST_F(HatchTable, MissingResourceRaisesTheResourceErrorAndLoadsNothing) {
  TResourceModule partial(L"hatch-partial.dll");
  ASSERT_NE(partial.Get(), nullptr);
  try {
    LoadHatchPatterns(partial.Get());
    FAIL() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_NE(e.Message().find("DIAGCROSS_200DPI"), std::string::npos) << e.Message();
  }
  EXPECT_FALSE(HatchPatternsLoaded());
  EXPECT_EQ(HatchPatterns[0], THatchPattern{}) << "no half-filled table";
}

// A brush paints the line pixels in the text colour, the rest in the
// background colour, and repeats every 32 pixels.
TEST_F(HatchTable, BrushPaintsThePattern) {
  HatchUnitStart();
  for (int i : {0, 5, 11}) {
    THatchBrush brush(i);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    RECT r{0, 0, 64, 64};
    FillRect(dc, &r, brush.Handle());
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const bool line = HatchPixel(HatchPatterns[static_cast<size_t>(i)], x % 32, y % 32);
        wrong += GetPixel(dc, x, y) != (line ? RGB(0, 0, 0) : RGB(255, 255, 255));
      }
    EXPECT_EQ(wrong, 0) << HatchPatternNames[i];
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
  }
}

}  // namespace
