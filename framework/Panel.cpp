#include "framework/Panel.h"

#include "framework/Canvas.h"
#include "framework/GdiCache.h"

namespace {

const TEnumInfo& PanelBevelInfo() {
  static const TEnumInfo info("TPanelBevel", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return info;
}

// Draws a bevel of `width` pixels just inside rect and shrinks rect by it.
void Frame3D(HDC dc, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
  HBRUSH tl = gdi::SolidBrush(topLeft), br = gdi::SolidBrush(bottomRight);
  for (int i = 0; i < width; ++i) {
    RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
    RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    FillRect(dc, &top, tl);
    FillRect(dc, &left, tl);
    FillRect(dc, &right, br);
    FillRect(dc, &bottom, br);
    InflateRect(&rect, -1, -1);
  }
}

void Bevel(HDC dc, RECT& rect, TPanelBevel bevel, TColor face, int width) {
  switch (bevel) {
    case bvNone: break;
    case bvLowered: Frame3D(dc, rect, clBtnShadow, clBtnHighlight, width); break;
    case bvRaised: Frame3D(dc, rect, clBtnHighlight, clBtnShadow, width); break;
    case bvSpace: Frame3D(dc, rect, face, face, width); break;
  }
}

}  // namespace

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TPanel> b("TPanel", &TWinControl::StaticClassInfo());
    b.Creatable()
        .Enum<TAlignment>("Alignment", AlignmentInfo(), &TPanel::Alignment, &TPanel::SetAlignment, taCenter)
        .Enum<TPanelBevel>("BevelInner", PanelBevelInfo(), &TPanel::BevelInner, &TPanel::SetBevelInner, bvNone)
        .Enum<TPanelBevel>("BevelOuter", PanelBevelInfo(), &TPanel::BevelOuter, &TPanel::SetBevelOuter, bvRaised)
        .Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, 1)
        .Int("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth, 0);
    PublishText(b);
    PublishMouseEvents(b);
    return b.Build();
  }();
  return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel value) {
  bevelInner_ = value;
  Invalidate();
}

void TPanel::SetBevelOuter(TPanelBevel value) {
  bevelOuter_ = value;
  Invalidate();
}

void TPanel::SetBevelWidth(int value) {
  bevelWidth_ = value;
  Invalidate();
}

void TPanel::SetBorderWidth(int value) {
  borderWidth_ = value;
  Invalidate();
}

void TPanel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  Bevel(canvas.Handle(), r, bevelOuter_, Color(), bevelWidth_);
  Frame3D(canvas.Handle(), r, Color(), Color(), borderWidth_);
  Bevel(canvas.Handle(), r, bevelInner_, Color(), bevelWidth_);
  canvas.Brush().SetStyle(bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  else if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  canvas.DrawText(Caption(), r, flags);
}
