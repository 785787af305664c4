#pragma once
// TShape: a rectangle, square, rounded rectangle or ellipse drawn with its
// Pen and filled with its Brush, over the control's whole area (the outline
// lies inside it).

#include "framework/Brush.h"
#include "framework/GraphicControl.h"
#include "framework/Pen.h"

enum TShapeType : uint8_t { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
  explicit TShape(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TBrush* Brush() { return &brush_; }
  TPen* Pen() { return &pen_; }
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType value);

  void Paint(TCanvas& canvas) override;

private:
  void StyleChanged(TObject*) { Invalidate(); }

  TBrush brush_;
  TPen pen_;
  TShapeType shape_ = stRectangle;
};

const TEnumInfo& ShapeTypeInfo();
