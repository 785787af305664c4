#include "controls/DropButton.h"

const TClassInfo& TDropButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TDropButton>("TDropButton", &TSpeedButton::StaticClassInfo()).Build();
  return info;
}
