#pragma once
// TPen: how lines and outlines are drawn (see Brush.h).

#include <cstdint>

#include "framework/Colors.h"
#include "framework/Event.h"
#include "framework/Persistent.h"

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TPersistent {
public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value);
  int Width() const { return width_; }
  void SetWidth(int value);

  TNotifyEvent OnChange;

private:
  TColor color_ = clBlack;
  TPenStyle style_ = psSolid;
  int width_ = 1;
};

const TEnumInfo& PenStyleInfo();
