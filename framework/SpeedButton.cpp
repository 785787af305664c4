#include "framework/SpeedButton.h"

#include "framework/Canvas.h"
#include "framework/GdiCache.h"
#include "framework/WinText.h"

const TEnumInfo& ButtonLayoutInfo() {
  static const TEnumInfo info("TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  return info;
}

const TClassInfo& TSpeedButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TSpeedButton> b("TSpeedButton", &TGraphicControl::StaticClassInfo());
    b.Creatable()
        .Str("Caption", &TControl::Caption, &TControl::SetCaption, std::string())
        .Object("Font", &TControl::Font)
        .Stored(&TControl::IsFontStored)
        .Str("Glyph", &TSpeedButton::GlyphName, &TSpeedButton::SetGlyphName, std::string())
        .Enum<TButtonLayout>("Layout", ButtonLayoutInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout,
                             blGlyphLeft)
        .Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, -1)
        .Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, 1)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, 4);
    PublishMouseEvents(b);
    return b.Build();
  }();
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetGlyphName(const std::string& resourceName) {
  glyphName_ = resourceName;
  if (resourceName.empty()) {
    glyph_.Clear();
  } else {
    if (!glyph_.LoadFromResourceName(resourceName))
      throw Exception("The glyph " + resourceName + " is missing from the program");
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, glyph_.Handle());
    transparent_ = GetPixel(mem, 0, glyph_.Height() - 1);
    SelectObject(mem, old);
    DeleteDC(mem);
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
  numGlyphs_ = value < 1 ? 1 : value > 4 ? 4 : value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  margin_ = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  spacing_ = value;
  Invalidate();
}

void TSpeedButton::EnabledChanged() {
  if (!Enabled()) pressed_ = overPressed_ = false;
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    pressed_ = overPressed_ = true;
    Repaint();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (pressed_ && Inside(x, y) != overPressed_) {
    overPressed_ = !overPressed_;
    Invalidate();
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_) {
    pressed_ = overPressed_ = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);  // clicks: nothing of this object is used after it
}

namespace {

// Start of a piece of `size` along an axis of `client` pixels, for the
// margin/spacing rules; `first` is the piece nearer the layout's edge.
struct TAxisLayout {
  int First, Second;
};

TAxisLayout PlaceAlong(int client, int firstSize, int secondSize, int margin, int spacing, bool reversed) {
  if (firstSize == 0 || secondSize == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (client - firstSize - secondSize) / 3;
      spacing = margin;
    } else {
      margin = (client - (firstSize + spacing + secondSize) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (client - (margin + firstSize) - secondSize) / 2;
  }
  if (!reversed) return TAxisLayout{margin, margin + firstSize + spacing};
  int first = client - margin - firstSize;
  return TAxisLayout{first, first - spacing - secondSize};
}

}  // namespace

void TSpeedButton::Paint(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  RECT face{0, 0, Width(), Height()};
  bool pushed = Pushed();
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  int glyphW = glyph_.Empty() ? 0 : glyph_.Width() / numGlyphs_;
  int glyphH = glyph_.Empty() ? 0 : glyph_.Height();
  SIZE text{0, 0};
  if (!Caption().empty()) text = canvas.TextExtent(Caption());
  int gx, gy, tx, ty;
  bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  if (horizontal) {
    TAxisLayout a = PlaceAlong(Width(), glyphW, text.cx, margin_, spacing_, layout_ == blGlyphRight);
    gx = a.First;
    tx = a.Second;
    gy = (Height() - glyphH + 1) / 2;
    ty = (Height() - text.cy + 1) / 2;
  } else {
    TAxisLayout a = PlaceAlong(Height(), glyphH, text.cy, margin_, spacing_, layout_ == blGlyphBottom);
    gy = a.First;
    ty = a.Second;
    gx = (Width() - glyphW + 1) / 2;
    tx = (Width() - text.cx + 1) / 2;
  }
  int shift = pushed ? 1 : 0;
  if (glyphW > 0) {
    int image = 0;
    bool embossed = false;
    if (!Enabled()) {
      if (numGlyphs_ > 1) image = 1;
      else embossed = true;
    } else if (pushed && numGlyphs_ > 2) {
      image = 2;
    }
    DrawGlyph(dc, gx + shift, gy + shift, image, embossed);
  }
  if (text.cx > 0) {
    canvas.Brush().SetStyle(bsClear);
    if (!Enabled()) {
      canvas.Font().SetColor(clBtnHighlight);
      canvas.TextOut(tx + 1, ty + 1, Caption());
      canvas.Font().SetColor(clBtnShadow);
    }
    canvas.TextOut(tx + shift, ty + shift, Caption());
  }
}

void TSpeedButton::DrawGlyph(HDC dc, int x, int y, int image, bool embossed) const {
  int w = glyph_.Width() / numGlyphs_, h = glyph_.Height(), sx = image * w;
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ oldSrc = SelectObject(src, glyph_.Handle());
  if (!embossed) {
    TransparentBlt(dc, x, y, w, h, src, sx, 0, w, h, transparent_);
  } else {
    // A monochrome mask: white where the glyph is transparent, black where it
    // shows; then the shape is painted twice with a brush, light and offset
    // first, shadow on top.
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP maskBmp = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(mask, maskBmp);
    SetBkColor(src, transparent_);
    BitBlt(mask, 0, 0, w, h, src, sx, 0, SRCCOPY);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kPaintWhereBlack = 0x00B8074A;  // PSDPxax: pattern where the source is 0
    for (int pass = 0; pass < 2; ++pass) {
      HGDIOBJ oldBrush = SelectObject(dc, gdi::SolidBrush(pass == 0 ? clBtnHighlight : clBtnShadow));
      BitBlt(dc, x + 1 - pass, y + 1 - pass, w, h, mask, 0, 0, kPaintWhereBlack);
      SelectObject(dc, oldBrush);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    SelectObject(mask, oldMask);
    DeleteObject(maskBmp);
    DeleteDC(mask);
  }
  SelectObject(src, oldSrc);
  DeleteDC(src);
}
