#include "framework/Shape.h"

#include <algorithm>

#include "framework/Canvas.h"

const TEnumInfo& ShapeTypeInfo() {
  static const TEnumInfo info("TShapeType",
                              {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"});
  return info;
}

const TClassInfo& TShape::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TShape> b("TShape", &TGraphicControl::StaticClassInfo());
    b.Creatable()
        .Object("Brush", &TShape::Brush)
        .Object("Pen", &TShape::Pen)
        .Enum<TShapeType>("Shape", ShapeTypeInfo(), &TShape::Shape, &TShape::SetShape, stRectangle);
    PublishMouseEvents(b);
    return b.Build();
  }();
  return info;
}

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 65);
  brush_.OnChange = TNotifyEvent::Of<&TShape::StyleChanged>(this);
  pen_.OnChange = TNotifyEvent::Of<&TShape::StyleChanged>(this);
}

void TShape::SetShape(TShapeType value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TShape::Paint(TCanvas& canvas) {
  canvas.Pen().SetColor(pen_.Color());
  canvas.Pen().SetStyle(pen_.Style());
  canvas.Pen().SetWidth(pen_.Width());
  canvas.Brush().SetColor(brush_.Color());
  canvas.Brush().SetStyle(brush_.Style());
  // Without an outline the fill covers the whole area (a rectangle drawn
  // without a pen leaves out its right and bottom edge, hence the +1); with
  // one, the outline lies inside the area.
  int x, y, w, h;
  if (pen_.Style() == psClear) {
    x = y = 0;
    w = Width() + 1;
    h = Height() + 1;
  } else {
    x = y = pen_.Width() / 2;
    w = Width() - pen_.Width() + 1;
    h = Height() - pen_.Width() + 1;
  }
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  HDC dc = canvas.Handle();
  switch (shape_) {
    case stRectangle:
    case stSquare:
      canvas.Rectangle(x, y, x + w, y + h);
      break;
    case stRoundRect:
    case stRoundSquare: {
      canvas.Rectangle(0, 0, 0, 0);  // selects the pen and brush
      RoundRect(dc, x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
      break;
    }
    case stEllipse:
    case stCircle:
      canvas.Rectangle(0, 0, 0, 0);
      Ellipse(dc, x, y, x + w, y + h);
      break;
  }
}
