#include "framework/Bevel.h"

#include "framework/Canvas.h"
#include "framework/GdiCache.h"

namespace {

const TEnumInfo& BevelShapeInfo() {
  static const TEnumInfo info("TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine",
                                              "bsRightLine", "bsSpacer"});
  return info;
}

const TEnumInfo& BevelStyleInfo() {
  static const TEnumInfo info("TBevelStyle", {"bsLowered", "bsRaised"});
  return info;
}

void Line(HDC dc, TColor color, int x1, int y1, int x2, int y2) {
  HPEN pen = CreatePen(PS_SOLID, 1, gdi::ColorToRGB(color));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// Top and left edges in one colour, bottom and right in the other.
void BevelRect(HDC dc, int l, int t, int r, int b, TColor topLeft, TColor bottomRight) {
  Line(dc, topLeft, l, b, l, t);
  Line(dc, topLeft, l, t, r, t);
  Line(dc, bottomRight, r, t, r, b);
  Line(dc, bottomRight, r, b, l - 1, b);
}

}  // namespace

const TClassInfo& TBevel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TBevel>("TBevel", &TGraphicControl::StaticClassInfo())
          .Creatable()
          .Enum<TBevelShape>("Shape", BevelShapeInfo(), &TBevel::Shape, &TBevel::SetShape, bsBox)
          .Enum<TBevelStyle>("Style", BevelStyleInfo(), &TBevel::Style, &TBevel::SetStyle, bsLowered)
          .Build();
  return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (value == style_) return;
  style_ = value;
  Invalidate();
}

void TBevel::Paint(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  int w = Width(), h = Height();
  switch (shape_) {
    case bsBox:
      BevelRect(dc, 0, 0, w - 1, h - 1, c1, c2);
      break;
    case bsFrame:
      BevelRect(dc, 0, 0, w - 2, h - 2, c1, c1);
      BevelRect(dc, 1, 1, w - 1, h - 1, c2, c2);
      break;
    case bsTopLine:
      Line(dc, c1, 0, 0, w, 0);
      Line(dc, c2, 0, 1, w, 1);
      break;
    case bsBottomLine:
      Line(dc, c1, 0, h - 2, w, h - 2);
      Line(dc, c2, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      Line(dc, c1, 0, 0, 0, h);
      Line(dc, c2, 1, 0, 1, h);
      break;
    case bsRightLine:
      Line(dc, c1, w - 2, 0, w - 2, h);
      Line(dc, c2, w - 1, 0, w - 1, h);
      break;
    case bsSpacer:
      break;
  }
}
