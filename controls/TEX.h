#pragma once
// TTEX: measures and draws one line of label text with index markup (see
// TexLayout.h) on a device context it is given: "H_2O", "x_i^2", "mm^2/m",
// "\a" (alpha in the symbol font), "a~b" (b in the other colour).
//
// Fonts: SetDC takes the font and brush selected in a device context,
// SetCanvas those of a canvas (without changing the device context drawn
// on). From the main font the object makes, and owns, an index font
// (LabelIndexSize percent, or 70 % from 14 pixels up), a "Symbol" font of
// 110 % and a brush; fonts are made only when SetDC, SetCanvas or
// SetLabelIndexSize change them, never per text. SubOffset and SuperOffset
// hold until the next of those calls, which sets them from the font's size.
//
// Direction: the pieces follow the main font's escapement, so rotated labels
// keep their indices in place (an index offset moves sideways on a vertical
// label).
//
// Colour: pieces before the first "~" of a text keep the device context's
// text colour; each "~" switches CurrentColor between Color1 and Color2 and
// the pieces after it are drawn in it (a system colour in Color1 never
// switches). Every text drawn starts its switching from Color1, so a label
// looks the same however often and in whatever company it is drawn (an
// owner-drawn list repaints its items in any order); CurrentColor tells
// where the last text drawn ended. Measuring leaves it alone.
//
// The device context is left as found: its font, brush, background mode,
// text alignment and text colour. Before a device context and fonts exist,
// TextWidth is 0 and TextOut draws nothing.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/TexLayout.h"
#include "framework/Colors.h"
#include "framework/Persistent.h"

class TCanvas;

class TTEX : public TPersistent {
public:
  TTEX();
  ~TTEX() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TColor Color1() const { return color1_; }
  void SetColor1(TColor value) { color1_ = value; }
  TColor Color2() const { return color2_; }
  void SetColor2(TColor value) { color2_ = value; }
  HDC DC() const { return dc_; }
  // Virtual, like the other three drawing entries, so a descendant can
  // watch or redirect what an owner draws through it.
  virtual void SetDC(HDC dc);
  virtual void SetCanvas(TCanvas& canvas);
  int LabelIndexSize() const { return labelIndexSize_; }
  void SetLabelIndexSize(int percent);
  int SubOffset() const { return subOffset_; }
  void SetSubOffset(int percent) { subOffset_ = percent; }
  int SuperOffset() const { return superOffset_; }
  void SetSuperOffset(int percent) { superOffset_ = percent; }
  // Stored for the owner; drawing does not use it.
  uint32_t RasterOp() const { return rasterOp_; }
  void SetRasterOp(uint32_t value) { rasterOp_ = value; }

  // The advance of the text with the fonts taken last; 0 for an empty text.
  virtual int TextWidth(const std::string& text);
  // Draws the text with its top-left corner at (x, y) (for escapement 0).
  virtual void TextOut(int x, int y, const std::string& text);

  TColor CurrentColor() const { return currentColor_; }
  int IndexSize() const { return indexSize_; }
  bool Italic() const { return italic_; }
  double Angle() const { return angle_; }
  bool FontsCreated() const { return fontsCreated_; }
  // The main font the object made (owned by it; null before).
  HFONT MainFont() const { return mainFont_; }
  const LOGFONTW& MainLogFont() const { return mainLogFont_; }
  const LOGFONTW& IndexLogFont() const { return indexLogFont_; }
  const LOGFONTW& SymbolLogFont() const { return symbolLogFont_; }

private:
  void ReadDCObjects();
  void UpdateFonts();
  void CreateFonts();
  void DeleteFonts();
  struct TFontSet;
  static void DeleteSet(TFontSet& set);
  TColor Toggled(TColor color) const;
  int Render(HDC dc, int x, int y, const std::string& text, bool draw);

  TColor color1_ = clBlue;
  TColor color2_ = clNavy;
  double angle_ = 0;
  HDC dc_ = nullptr;  // not owned
  LOGBRUSH logBrush_{};
  LOGFONTW mainLogFont_{};
  LOGFONTW indexLogFont_{};
  LOGFONTW symbolLogFont_{};
  TColor currentColor_ = clBlue;
  uint32_t rasterOp_ = 0x00CC0020;
  // The handles of the font set in force (owned through it; null before).
  HFONT mainFont_ = nullptr;
  HFONT symbolFont_ = nullptr;
  HFONT indexFont_ = nullptr;
  HBRUSH brush_ = nullptr;
  bool fontsCreated_ = false;
  int subOffset_ = 33;
  int indexSize_ = 80;
  int superOffset_ = -33;
  int labelIndexSize_ = 80;
  bool italic_ = false;
  // What a set of fonts measures, by font (main, index, symbol): labels are
  // drawn again and again, and measuring is half the work.
  struct TMeasures {
    // Extents of each text's first 1, 2, ... characters: the last is its width.
    std::unordered_map<std::string, std::vector<int>> Widths;
    std::array<std::optional<std::optional<TTexABC>>, 256> ABC;  // outer: asked yet
  };
  // The fonts and brush made from one set of descriptions. The last few sets
  // are kept: an owner that takes the fonts of every item (a list drawing
  // its index text smaller) switches between two or three, and taking a
  // font again makes nothing anew.
  struct TFontSet {
    LOGFONTW Main{}, Index{}, Symbol{};
    LOGBRUSH Brush{};
    HFONT MainFont = nullptr, IndexFont = nullptr, SymbolFont = nullptr;
    HBRUSH BrushHandle = nullptr;
    std::array<TMeasures, 3> Measures;
    uint64_t LastUse = 0;
  };
  static constexpr size_t kFontSets = 4;
  std::vector<std::unique_ptr<TFontSet>> sets_;
  TFontSet* current_ = nullptr;  // one of sets_
  uint64_t uses_ = 0;
  friend class TTexGdi;
};
