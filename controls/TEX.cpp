#include "controls/TEX.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

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

}  // namespace

// Measures with the fonts of a TTEX on a device context, selecting each
// font only when it changes, and remembering what it measured.
class TTexGdi : public TTexMeasurer {
public:
  TTexGdi(HDC dc, TTEX& tex) : dc_(dc), tex_(tex), fonts_{tex.mainFont_, tex.indexFont_, tex.symbolFont_} {}

  void Select(TTexFont font) {
    HFONT f = fonts_[static_cast<int>(font)];
    if (f != selected_) {
      SelectObject(dc_, f);
      selected_ = f;
    }
  }

  int Width(TTexFont font, std::string_view text) override {
    const std::vector<int>& partial = Extents(font, text);
    return partial.empty() ? 0 : partial.back();
  }

  // Where each character of the text ends, from its start.
  const std::vector<int>& Extents(TTexFont font, std::string_view text) {
    auto& widths = tex_.current_->Measures[static_cast<int>(font)].Widths;
    std::string key(text);
    if (auto it = widths.find(key); it != widths.end()) return it->second;
    Select(font);
    TWideText w(text, font == TTexFont::Symbol);
    std::vector<int> partial(static_cast<size_t>(w.size));
    SIZE size{};
    if (w.size > 0 && !GetTextExtentExPointW(dc_, w.data, w.size, 0, nullptr, partial.data(), &size))
      partial.assign(partial.size(), 0);
    if (widths.size() >= 4096) widths.clear();  // a bound for programs that draw endless distinct texts
    return widths.emplace(std::move(key), std::move(partial)).first->second;
  }

  std::optional<TTexABC> ABC(TTexFont font, char c) override {
    auto& known = tex_.current_->Measures[static_cast<int>(font)].ABC[static_cast<unsigned char>(c)];
    if (known) return *known;
    Select(font);
    TWideText w(std::string_view(&c, 1), font == TTexFont::Symbol);
    ::ABC abc{};
    if (GetCharABCWidthsW(dc_, w.data[0], w.data[0], &abc)) known = TTexABC{abc.abcA, abc.abcB, abc.abcC};
    else known = std::optional<TTexABC>();
    return *known;
  }

  // Whether a font of the object was selected (and the old one is to be put back).
  bool Selected() const { return selected_ != nullptr; }

  // One piece at a point of the device context.
  void Out(const TTexPiece& piece, TTexPoint at) {
    Select(piece.Font);
    TWideText w(piece.Text, piece.Font == TTexFont::Symbol);
    ExtTextOutW(dc_, at.X, at.Y, 0, nullptr, w.data, static_cast<UINT>(w.size), nullptr);
  }

  // The pieces of one font and colour of a horizontal text in one output,
  // each character placed by its offset from the one before (a text output
  // costs far more than its characters).
  void OutGroup(TTexFont font, const std::vector<const TTexPiece*>& pieces, int x, int baseY) {
    std::wstring text;
    std::vector<INT> steps;  // (x, y) offsets to the next character; y counts upward
    int lastX = 0, lastY = 0, firstX = 0, firstY = 0;
    for (const TTexPiece* p : pieces) {
      const std::vector<int>& ends = Extents(font, p->Text);
      TWideText w(p->Text, font == TTexFont::Symbol);
      for (int i = 0; i < w.size; ++i) {
        const int cx = x + p->Cur + (i > 0 ? ends[static_cast<size_t>(i - 1)] : 0);
        const int cy = baseY + p->V;
        if (text.empty()) {
          firstX = cx;
          firstY = cy;
        } else {
          steps.push_back(cx - lastX);
          steps.push_back(lastY - cy);
        }
        text.push_back(w.data[i]);
        lastX = cx;
        lastY = cy;
      }
    }
    if (text.empty()) return;
    steps.push_back(0);
    steps.push_back(0);
    Select(font);
    ExtTextOutW(dc_, firstX, firstY, ETO_PDY, nullptr, text.data(), static_cast<UINT>(text.size()), steps.data());
  }

private:
  HDC dc_;
  TTEX& tex_;
  HFONT fonts_[3];
  HFONT selected_ = nullptr;  // unknown: the first piece selects its font
};

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
  CreateFonts();
}

// Makes the set of fonts of the descriptions in force current: one kept from
// before, or a new one in place of the one used longest ago.
void TTEX::CreateFonts() {
  TFontSet* found = nullptr;
  for (auto& set : sets_) {
    if (std::memcmp(&set->Main, &mainLogFont_, sizeof mainLogFont_) == 0 &&
        std::memcmp(&set->Index, &indexLogFont_, sizeof indexLogFont_) == 0 &&
        std::memcmp(&set->Symbol, &symbolLogFont_, sizeof symbolLogFont_) == 0 &&
        std::memcmp(&set->Brush, &logBrush_, sizeof logBrush_) == 0)
      found = set.get();
  }
  if (!found) {
    if (sets_.size() >= kFontSets) {
      auto oldest = std::min_element(sets_.begin(), sets_.end(),
                                     [](const auto& a, const auto& b) { return a->LastUse < b->LastUse; });
      DeleteSet(**oldest);
      sets_.erase(oldest);
    }
    auto set = std::make_unique<TFontSet>();
    set->Main = mainLogFont_;
    set->Index = indexLogFont_;
    set->Symbol = symbolLogFont_;
    set->Brush = logBrush_;
    set->MainFont = CreateFontIndirectW(&mainLogFont_);
    set->SymbolFont = CreateFontIndirectW(&symbolLogFont_);
    set->IndexFont = CreateFontIndirectW(&indexLogFont_);
    set->BrushHandle = CreateBrushIndirect(&logBrush_);
    found = set.get();
    sets_.push_back(std::move(set));
  }
  found->LastUse = ++uses_;
  current_ = found;
  mainFont_ = found->MainFont;
  symbolFont_ = found->SymbolFont;
  indexFont_ = found->IndexFont;
  brush_ = found->BrushHandle;
  fontsCreated_ = true;
}

void TTEX::DeleteSet(TFontSet& set) {
  if (set.BrushHandle) DeleteObject(set.BrushHandle);
  if (set.IndexFont) DeleteObject(set.IndexFont);
  if (set.SymbolFont) DeleteObject(set.SymbolFont);
  if (set.MainFont) DeleteObject(set.MainFont);
}

void TTEX::DeleteFonts() {
  for (auto& set : sets_) DeleteSet(*set);
  sets_.clear();
  current_ = nullptr;
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
  HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
  TTexGdi gdi(dc, *this);
  const TTexMetrics metrics{std::abs(static_cast<int>(mainLogFont_.lfHeight)), italic_, superOffset_, subOffset_};
  const TTexLayout layout = LayoutTex(text, metrics, gdi);
  if (draw) {
    HGDIOBJ oldBrush = SelectObject(dc, brush_);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const COLORREF oldColor = layout.Toggles ? GetTextColor(dc) : 0;
    const double s = std::sin(angle_), c = std::cos(angle_);
    const int baseY = y + std::max(std::abs(static_cast<int>(symbolLogFont_.lfHeight)), metrics.AbsHeight);
    TColor color = color1_;
    int toggles = 0;
    if (angle_ == 0) {
      // Grouped by colour, then by font.
      std::vector<const TTexPiece*> group;
      for (size_t first = 0; first < layout.Pieces.size();) {
        size_t end = first;
        while (end < layout.Pieces.size() && layout.Pieces[end].Toggles == layout.Pieces[first].Toggles) ++end;
        if (layout.Pieces[first].Toggles != toggles) {
          for (; toggles < layout.Pieces[first].Toggles; ++toggles) color = Toggled(color);
          SetTextColor(dc, gdi::ColorToRGB(color));
        }
        for (TTexFont font : {TTexFont::Main, TTexFont::Index, TTexFont::Symbol}) {
          group.clear();
          for (size_t i = first; i < end; ++i)
            if (layout.Pieces[i].Font == font) group.push_back(&layout.Pieces[i]);
          if (!group.empty()) gdi.OutGroup(font, group, x, baseY);
        }
        first = end;
      }
    } else {
      for (const TTexPiece& piece : layout.Pieces) {
        if (piece.Toggles != toggles) {
          for (; toggles < piece.Toggles; ++toggles) color = Toggled(color);
          SetTextColor(dc, gdi::ColorToRGB(color));
        }
        gdi.Out(piece, TexPiecePosition(piece.Cur, piece.V, x, baseY, s, c));
      }
    }
    for (; toggles < layout.Toggles; ++toggles) color = Toggled(color);
    currentColor_ = color;
    if (layout.Toggles) SetTextColor(dc, oldColor);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldBrush);
  }
  if (gdi.Selected()) SelectObject(dc, oldFont);
  return layout.Advance;
}
