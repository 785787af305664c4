#pragma once
// TDropButton: the structured combo's drop button, a speed button without a
// caption that the combo creates, owns and places at its right end.

#include "framework/SpeedButton.h"

class TDropButton : public TSpeedButton {
public:
  using TSpeedButton::TSpeedButton;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
