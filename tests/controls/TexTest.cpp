// The text object with the system's real fonts ("Arial", "Symbol"), drawing
// into memory bitmaps: font sizes taken from a device context or a canvas,
// widths against the fonts' own measures, pixels of rotated and coloured
// labels, and the device context left as it was found.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MemoryBitmap.h"
#include "controls/TEX.h"
#include "framework/Canvas.h"

namespace {

HFONT MakeFont(int height, int escapement = 0, bool italic = false, const wchar_t* face = L"Arial") {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfEscapement = lf.lfOrientation = escapement;
  lf.lfItalic = italic;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = NONANTIALIASED_QUALITY;  // crisp pixels to compare
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

int WidthIn(HDC dc, const LOGFONTW& lf, const std::string& text) {
  HFONT f = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, f);
  SIZE s{};
  std::wstring w(text.begin(), text.end());  // ASCII texts only
  GetTextExtentPoint32W(dc, w.data(), static_cast<int>(w.size()), &s);
  SelectObject(dc, old);
  DeleteObject(f);
  return s.cx;
}

// A memory bitmap with an Arial font of the given height selected.
class TexFixture : public ::testing::Test {
protected:
  void Use(int height, int escapement = 0, bool italic = false) {
    if (font_) {
      SelectObject(bmp.DC(), oldFont_);
      DeleteObject(font_);
    }
    font_ = MakeFont(height, escapement, italic);
    oldFont_ = SelectObject(bmp.DC(), font_);
    tex.SetDC(bmp.DC());
  }
  void TearDown() override {
    if (font_) {
      SelectObject(bmp.DC(), oldFont_);
      DeleteObject(font_);
    }
  }
  TInkBox Draw(const std::string& text, int x = 20, int y = 20) {
    bmp.Clear();
    tex.TextOut(x, y, text);
    return bmp.Ink();
  }

  TMemoryBitmap bmp{200, 200};
  TTEX tex;
  HFONT font_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};

TEST_F(TexFixture, SizesComeFromTheMainFont) {
  Use(-12);
  EXPECT_TRUE(tex.FontsCreated());
  EXPECT_EQ(tex.IndexLogFont().lfHeight, -10);
  EXPECT_EQ(tex.SymbolLogFont().lfHeight, -13);
  EXPECT_EQ(std::wstring(tex.SymbolLogFont().lfFaceName), L"Symbol");
  EXPECT_EQ(std::wstring(tex.IndexLogFont().lfFaceName), L"Arial");
  EXPECT_EQ(tex.SuperOffset(), -33);
  EXPECT_EQ(tex.SubOffset(), 33);
  tex.SetLabelIndexSize(50);
  EXPECT_EQ(tex.IndexLogFont().lfHeight, -6);
  Use(-16);
  EXPECT_EQ(tex.IndexSize(), 70);
  EXPECT_EQ(tex.IndexLogFont().lfHeight, -11);
  EXPECT_EQ(tex.SuperOffset(), -35);
  EXPECT_EQ(tex.SubOffset(), 20);
  tex.SetSuperOffset(-50);  // holds until the fonts are taken again
  EXPECT_EQ(tex.SuperOffset(), -50);
  tex.SetLabelIndexSize(90);
  EXPECT_EQ(tex.SuperOffset(), -35);
  EXPECT_EQ(tex.IndexSize(), 70);

  // The same font again makes no new fonts.
  HFONT made = tex.MainFont();
  tex.SetDC(bmp.DC());
  EXPECT_EQ(tex.MainFont(), made);
  EXPECT_EQ(tex.SuperOffset(), -35);

  // From a canvas: its font, whatever the device context holds.
  TCanvas canvas(bmp.DC());
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-20);
  canvas.Font().SetStyle(TFontStyles{fsItalic});
  tex.SetCanvas(canvas);
  EXPECT_EQ(tex.MainLogFont().lfHeight, -20);
  EXPECT_TRUE(tex.Italic());
  EXPECT_EQ(tex.DC(), bmp.DC());
}

TEST_F(TexFixture, WidthsAgreeWithTheFonts) {
  for (int height : {-12, -24, -12}) {  // widths remembered for one font never serve another
    Use(height);
    SCOPED_TRACE(height);
    const LOGFONTW& main = tex.MainLogFont();
    const LOGFONTW& index = tex.IndexLogFont();
    EXPECT_EQ(tex.TextWidth("H_2O"), WidthIn(bmp.DC(), main, "H") + WidthIn(bmp.DC(), index, "2") + 2 +
                                         WidthIn(bmp.DC(), main, "O"));
    // The superscript stands over the subscript; no gap after a final index.
    EXPECT_EQ(tex.TextWidth("x_i^2"), WidthIn(bmp.DC(), main, "x") + WidthIn(bmp.DC(), index, "2"));
    EXPECT_EQ(tex.TextWidth("x^2"), tex.TextWidth("x_i^2"));
    EXPECT_EQ(tex.TextWidth("\\a"), WidthIn(bmp.DC(), tex.SymbolLogFont(), "a"));
    EXPECT_EQ(tex.TextWidth("a^"), tex.TextWidth("a"));
    EXPECT_EQ(tex.TextWidth("a~b"), tex.TextWidth("ab"));
    EXPECT_EQ(tex.TextWidth(""), 0);
  }
}

TEST_F(TexFixture, TextOutAdvancesAsFarAsTextWidthSays) {
  Use(-12);
  tex.SetColor1(clBlack);  // the "~" that separates the texts switches nothing visible
  tex.SetColor2(clBlack);
  for (const std::string text : {"H_2O", "mm^2/m", "x_i^2", "a\\b"}) {
    TMemoryBitmap both(200, 60), pieces(200, 60);
    HGDIOBJ old1 = SelectObject(both.DC(), font_);
    tex.SetDC(both.DC());
    tex.TextOut(10, 10, text + "~W");
    HGDIOBJ old2 = SelectObject(pieces.DC(), font_);
    tex.SetDC(pieces.DC());
    tex.TextOut(10, 10, text);
    tex.TextOut(10 + tex.TextWidth(text), 10, "~W");
    EXPECT_TRUE(both.SamePixels(pieces)) << text << " " << both.Ink().Left << "," << both.Ink().Right << " "
                                         << pieces.Ink().Left << "," << pieces.Ink().Right << " w "
                                         << tex.TextWidth(text);
    EXPECT_FALSE(both.Ink().Empty()) << text;
    SelectObject(both.DC(), old1);
    SelectObject(pieces.DC(), old2);
  }
}

TEST_F(TexFixture, SymbolsUseTheSymbolFontOnTheBaseline) {
  Use(-12);
  TInkBox alpha = Draw("\\a");
  TMemoryBitmap direct(200, 200);
  HFONT symbol = CreateFontIndirectW(&tex.SymbolLogFont());
  HGDIOBJ old = SelectObject(direct.DC(), symbol);
  SetBkMode(direct.DC(), TRANSPARENT);
  SetTextAlign(direct.DC(), TA_BASELINE);
  ExtTextOutW(direct.DC(), 20, 20 + 13, 0, nullptr, L"a", 1, nullptr);  // baseline: y + the symbol font's height
  SelectObject(direct.DC(), old);
  DeleteObject(symbol);
  EXPECT_FALSE(alpha.Empty());
  EXPECT_TRUE(direct.SamePixels(bmp));
  Draw("a");
  EXPECT_FALSE(direct.SamePixels(bmp));  // a Latin a is not an alpha
}

TEST_F(TexFixture, IndicesMoveAcrossTheLineAndPiecesAlongIt) {
  Use(-16);
  TInkBox plain = Draw("II");
  TInkBox sub = Draw("I_I");
  TInkBox super = Draw("I^I");
  EXPECT_GT(sub.Bottom, plain.Bottom);  // lowered
  EXPECT_LT(super.Top, plain.Top);      // raised

  Use(-16, 900);  // upward
  TInkBox one = Draw("I", 60, 60);
  TInkBox two = Draw("I_I", 60, 60);
  // An upright stroke lies across an upward line.
  EXPECT_GT(one.Right - one.Left, one.Bottom - one.Top);
  EXPECT_LT(two.Top, one.Top);                            // the second piece further up the page
  EXPECT_GT(two.Right, one.Right);                        // the subscript moved sideways, to the right
}

TEST_F(TexFixture, TildeSwitchesTheColourFromThereOn) {
  Use(-16);
  tex.SetColor2(clRed);
  SetTextColor(bmp.DC(), RGB(0, 0, 0));
  Draw("I~I");
  EXPECT_GT(bmp.Count(RGB(0, 0, 0)), 0);    // before the tilde: the device context's colour
  EXPECT_GT(bmp.Count(RGB(255, 0, 0)), 0);  // after it: Color2
  EXPECT_EQ(tex.CurrentColor(), clRed);
  tex.TextWidth("a~b");  // measuring does not switch
  EXPECT_EQ(tex.CurrentColor(), clRed);
  Draw("I~I");  // the same label again looks the same: every text starts from Color1
  EXPECT_GT(bmp.Count(RGB(255, 0, 0)), 0);
  EXPECT_EQ(bmp.Count(RGB(0, 0, 255)), 0);
  Draw("I~I~I");  // a second switch goes back to Color1 (blue)
  EXPECT_GT(bmp.Count(RGB(255, 0, 0)), 0);
  EXPECT_GT(bmp.Count(RGB(0, 0, 255)), 0);
  EXPECT_EQ(tex.CurrentColor(), clBlue);
  EXPECT_EQ(GetTextColor(bmp.DC()), RGB(0, 0, 0));
}

TEST_F(TexFixture, LeavesTheDeviceContextAsFound) {
  Use(-12);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  SelectObject(bmp.DC(), brush);
  SetBkMode(bmp.DC(), OPAQUE);
  SetTextAlign(bmp.DC(), TA_TOP | TA_RIGHT);
  SetTextColor(bmp.DC(), RGB(10, 20, 30));
  tex.SetDC(bmp.DC());
  tex.SetColor2(clRed);
  tex.TextOut(100, 10, "x_i^2~a\\b");
  tex.TextWidth("H_2O");
  EXPECT_EQ(GetCurrentObject(bmp.DC(), OBJ_FONT), font_);
  EXPECT_EQ(GetCurrentObject(bmp.DC(), OBJ_BRUSH), brush);
  EXPECT_EQ(GetBkMode(bmp.DC()), OPAQUE);
  EXPECT_EQ(GetTextAlign(bmp.DC()), static_cast<UINT>(TA_TOP | TA_RIGHT));
  EXPECT_EQ(GetTextColor(bmp.DC()), RGB(10, 20, 30));
  SelectObject(bmp.DC(), GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(Tex, WithoutDeviceContextMeasuresNothingAndDrawsNothing) {
  TTEX tex;
  EXPECT_FALSE(tex.FontsCreated());
  EXPECT_EQ(tex.TextWidth("H_2O"), 0);
  tex.TextOut(0, 0, "H_2O");
  EXPECT_EQ(tex.Color1(), clBlue);
  EXPECT_EQ(tex.Color2(), clNavy);
  EXPECT_EQ(tex.LabelIndexSize(), 80);
  EXPECT_EQ(tex.RasterOp(), 0x00CC0020u);
  EXPECT_EQ(tex.CurrentColor(), clBlue);
}

}  // namespace
