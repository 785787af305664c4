#include "framework/Panel.h"

#include "framework/Canvas.h"

namespace {

const TEnumInfo& PanelBevelInfo() {
  static const TEnumInfo info("TPanelBevel", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return info;
}

void Bevel(TCanvas& canvas, RECT& rect, TPanelBevel bevel, TColor face, int width) {
  switch (bevel) {
    case bvNone: break;
    case bvLowered: canvas.Frame3D(rect, clBtnShadow, clBtnHighlight, width); break;
    case bvRaised: canvas.Frame3D(rect, clBtnHighlight, clBtnShadow, width); break;
    case bvSpace: canvas.Frame3D(rect, face, face, width); break;
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
  Bevel(canvas, r, bevelOuter_, Color(), bevelWidth_);
  canvas.Frame3D(r, Color(), Color(), borderWidth_);
  Bevel(canvas, r, bevelInner_, Color(), bevelWidth_);
  canvas.Brush().SetStyle(bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  else if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  canvas.DrawText(Caption(), r, flags);
}
