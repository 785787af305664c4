#pragma once
// TSpeedButton: a button without a window of its own (painted by its parent,
// like a label) that shows a glyph and/or a caption and never takes the
// focus. A left press and release over it is a click; while it is held the
// button looks pushed as long as the pointer is over it.
//
// Glyph: a bitmap resource holding NumGlyphs images side by side, each
// Width / NumGlyphs wide: up, disabled, pushed (the up image stands in for
// the missing ones; without a disabled image a grey embossed copy of the up
// image is drawn). The colour of the bitmap's bottom-left pixel is
// transparent.
//
// Placement: Layout puts the glyph left of, right of, above or below the
// caption. Margin is the distance from that edge to the glyph, -1 to centre
// glyph and caption together; Spacing the distance between glyph and caption,
// -1 to spread them evenly. The button always paints its face: it is opaque.

#include "framework/Bitmap.h"
#include "framework/GraphicControl.h"

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The resource name of the glyph; an unknown name is an error, an empty one
  // removes the glyph.
  const std::string& GlyphName() const { return glyphName_; }
  void SetGlyphName(const std::string& resourceName);
  const TBitmap& Glyph() const { return glyph_; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  // Whether the button looks pushed now.
  bool Pushed() const { return pressed_ && overPressed_; }

  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

protected:
  void EnabledChanged() override;

private:
  void DrawGlyph(HDC dc, int x, int y, int image, bool embossed) const;
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

  TBitmap glyph_;
  std::string glyphName_;
  COLORREF transparent_ = 0;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool pressed_ = false;      // the left button went down over it and is held
  bool overPressed_ = false;  // ... and the pointer is over it
};

const TEnumInfo& ButtonLayoutInfo();
