#pragma once
// TBrush and TPen: how areas are filled and lines drawn (descriptions only;
// the canvas makes the system objects). OnChange is raised after every change.

#include <cstdint>

#include "framework/Colors.h"
#include "framework/Event.h"
#include "framework/Persistent.h"

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TPersistent {
public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);

  TNotifyEvent OnChange;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

const TEnumInfo& BrushStyleInfo();
