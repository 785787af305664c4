#include "controls/TEX.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/Cp1250.h"
#include "framework/GdiCache.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Texts go to the system as UTF-16. In the symbol font the character codes
// are the bytes themselves ("a" is alpha): the system maps them onto the
// font's symbol glyphs.
struct TWideText {
  wchar_t buffer[64];
  std::wstring heap;
  const wchar_t* data = buffer;
  int size = 0;

  TWideText(std::string_view text, bool symbol) {
    wchar_t* out = buffer;
    if (text.size() > std::size(buffer)) {
      heap.resize(text.size());
      out = heap.data();
    }
    for (char c : text) {
      auto u = static_cast<unsigned char>(c);
      out[size++] = symbol ? static_cast<wchar_t>(u) : static_cast<wchar_t>(cp1250::ToUnicode(u));
    }
    data = out;
  }
};

// Measures with the fonts of a TTEX on a device context, selecting each
// font only when it changes.
class TGdiMeasurer : public TTexMeasurer {
public:
  TGdiMeasurer(HDC dc, HFONT mainFont, HFONT indexFont, HFONT symbolFont)
      : dc_(dc), fonts_{mainFont, indexFont, symbolFont}, selected_(mainFont) {}

  void Select(TTexFont font) {
    HFONT f = fonts_[static_cast<int>(font)];
    if (f != selected_) {
      SelectObject(dc_, f);
      selected_ = f;
    }
  }

  int Width(TTexFont font, std::string_view text) override {
    Select(font);
    TWideText w(text, font == TTexFont::Symbol);
    SIZE size{};
    GetTextExtentPoint32W(dc_, w.data, w.size, &size);
    return size.cx;
  }

  std::optional<TTexABC> ABC(TTexFont font, char c) override {
    Select(font);
    TWideText w(std::string_view(&c, 1), font == TTexFont::Symbol);
    ::ABC abc{};
    if (!GetCharABCWidthsW(dc_, w.data[0], w.data[0], &abc)) return std::nullopt;
    return TTexABC{abc.abcA, abc.abcB, abc.abcC};
  }

  void Out(const TTexPiece& piece, TTexPoint at) {
    Select(piece.Font);
    TWideText w(piece.Text, piece.Font == TTexFont::Symbol);
    ExtTextOutW(dc_, at.X, at.Y, 0, nullptr, w.data, static_cast<UINT>(w.size), nullptr);
  }

private:
  HDC dc_;
  HFONT fonts_[3];
  HFONT selected_;
};

}  // namespace

const TClassInfo& TTEX::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTEX>("TTEX", &TPersistent::StaticClassInfo())
          .Color("Color1", &TTEX::Color1, &TTEX::SetColor1)
          .Color("Color2", &TTEX::Color2, &TTEX::SetColor2)
          .Int("LabelIndexSize", &TTEX::LabelIndexSize, &TTEX::SetLabelIndexSize)
          .Int("SubOffset", &TTEX::SubOffset, &TTEX::SetSubOffset)
          .Int("SuperOffset", &TTEX::SuperOffset, &TTEX::SetSuperOffset)
          .Int("RasterOp", &TTEX::RasterOp, &TTEX::SetRasterOp)
          .Build();
  return info;
}

TTEX::TTEX() = default;

TTEX::~TTEX() { DeleteFonts(); }

void TTEX::SetDC(HDC dc) {
  dc_ = dc;
  ReadDCObjects();
}

void TTEX::ReadDCObjects() {
  if (!dc_) return;
  GetObjectW(GetCurrentObject(dc_, OBJ_BRUSH), sizeof logBrush_, &logBrush_);
  GetObjectW(GetCurrentObject(dc_, OBJ_FONT), sizeof mainLogFont_, &mainLogFont_);
  angle_ = mainLogFont_.lfEscapement * kPi / 1800;
  UpdateFonts();
}

void TTEX::SetCanvas(TCanvas& canvas) {
  GetObjectW(gdi::Brush(canvas.Brush()), sizeof logBrush_, &logBrush_);
  GetObjectW(gdi::Font(canvas.Font()), sizeof mainLogFont_, &mainLogFont_);
  angle_ = mainLogFont_.lfEscapement * kPi / 1800;
  UpdateFonts();
}

void TTEX::SetLabelIndexSize(int percent) {
  labelIndexSize_ = percent;
  UpdateFonts();
}

void TTEX::UpdateFonts() {
  const TTexSizes sizes = TexSizesFor(mainLogFont_.lfHeight, labelIndexSize_);
  indexSize_ = sizes.IndexSize;
  superOffset_ = sizes.SuperOffset;
  subOffset_ = sizes.SubOffset;
  indexLogFont_ = mainLogFont_;
  indexLogFont_.lfHeight = sizes.IndexHeight;
  symbolLogFont_ = mainLogFont_;
  std::fill(std::begin(symbolLogFont_.lfFaceName), std::end(symbolLogFont_.lfFaceName), L'\0');
  lstrcpynW(symbolLogFont_.lfFaceName, L"Symbol", LF_FACESIZE);
  // The face alone does not choose it where the main font asks for a
  // national character set: the font mapper would prefer a text font that
  // has the set, and "\a" would draw a Latin a.
  symbolLogFont_.lfCharSet = SYMBOL_CHARSET;
  symbolLogFont_.lfHeight = sizes.SymbolHeight;
  italic_ = mainLogFont_.lfItalic == 1;
  if (fontsCreated_) DeleteFonts();
  CreateFonts();
}

void TTEX::CreateFonts() {
  mainFont_ = CreateFontIndirectW(&mainLogFont_);
  symbolFont_ = CreateFontIndirectW(&symbolLogFont_);
  indexFont_ = CreateFontIndirectW(&indexLogFont_);
  brush_ = CreateBrushIndirect(&logBrush_);
  fontsCreated_ = true;
}

void TTEX::DeleteFonts() {
  if (brush_) DeleteObject(brush_);
  if (indexFont_) DeleteObject(indexFont_);
  if (symbolFont_) DeleteObject(symbolFont_);
  if (mainFont_) DeleteObject(mainFont_);
  brush_ = nullptr;
  indexFont_ = symbolFont_ = mainFont_ = nullptr;
  fontsCreated_ = false;
}

TColor TTEX::Toggled(TColor color) const {
  return (color == color1_ && !IsSystemColor(color1_)) ? color2_ : color1_;
}

int TTEX::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  return Render(dc_, 0, 0, text, false);
}

void TTEX::TextOut(int x, int y, const std::string& text) { Render(dc_, x, y, text, true); }

int TTEX::Render(HDC dc, int x, int y, const std::string& text, bool draw) {
  if (text.empty() || !dc || !fontsCreated_) return 0;
  HGDIOBJ oldFont = SelectObject(dc, mainFont_);
  TGdiMeasurer gdi(dc, mainFont_, indexFont_, symbolFont_);
  const TTexMetrics metrics{std::abs(static_cast<int>(mainLogFont_.lfHeight)), italic_, superOffset_, subOffset_};
  const TTexLayout layout = LayoutTex(text, metrics, gdi);
  if (draw) {
    HGDIOBJ oldBrush = SelectObject(dc, brush_);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const COLORREF oldColor = GetTextColor(dc);
    const double s = std::sin(angle_), c = std::cos(angle_);
    const int baseY = y + std::max(std::abs(static_cast<int>(symbolLogFont_.lfHeight)), metrics.AbsHeight);
    TColor color = currentColor_;
    int toggles = 0;
    for (const TTexPiece& piece : layout.Pieces) {
      if (piece.Toggles != toggles) {
        for (; toggles < piece.Toggles; ++toggles) color = Toggled(color);
        SetTextColor(dc, gdi::ColorToRGB(color));
      }
      gdi.Out(piece, TexPiecePosition(piece.Cur, piece.V, x, baseY, s, c));
    }
    for (; toggles < layout.Toggles; ++toggles) color = Toggled(color);
    currentColor_ = color;
    SetTextColor(dc, oldColor);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldBrush);
  }
  SelectObject(dc, oldFont);
  return layout.Advance;
}
