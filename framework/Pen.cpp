#include "framework/Pen.h"

#include "framework/ClassBuilder.h"

const TEnumInfo& PenStyleInfo() {
  static const TEnumInfo info("TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                                            "psClear", "psInsideFrame"});
  return info;
}

const TClassInfo& TPen::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPen>("TPen", &TPersistent::StaticClassInfo())
          .Color("Color", &TPen::Color, &TPen::SetColor, clBlack)
          .Enum<TPenStyle>("Style", PenStyleInfo(), &TPen::Style, &TPen::SetStyle, psSolid)
          .Int("Width", &TPen::Width, &TPen::SetWidth, 1)
          .Build();
  return info;
}

void TPen::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  if (OnChange) OnChange(this);
}

void TPen::SetStyle(TPenStyle value) {
  if (style_ == value) return;
  style_ = value;
  if (OnChange) OnChange(this);
}

void TPen::SetWidth(int value) {
  if (width_ == value) return;
  width_ = value;
  if (OnChange) OnChange(this);
}
