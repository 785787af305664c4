#include "framework/GraphicControl.h"

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo()).Build();
  return info;
}
