#include "framework/Brush.h"

#include "framework/ClassBuilder.h"

const TEnumInfo& BrushStyleInfo() {
  static const TEnumInfo info("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                              "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"});
  return info;
}

const TClassInfo& TBrush::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBrush>("TBrush", &TPersistent::StaticClassInfo())
                                     .Color("Color", &TBrush::Color, &TBrush::SetColor, clWhite)
                                     .Enum<TBrushStyle>("Style", BrushStyleInfo(), &TBrush::Style,
                                                        &TBrush::SetStyle, bsSolid)
                                     .Build();
  return info;
}

void TBrush::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  if (OnChange) OnChange(this);
}

void TBrush::SetStyle(TBrushStyle value) {
  if (style_ == value) return;
  style_ = value;
  if (OnChange) OnChange(this);
}
