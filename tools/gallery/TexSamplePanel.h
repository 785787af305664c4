#pragma once
// TTexSamplePanel: a panel that draws label texts with index markup through
// a text object (TTEX), each at escapements 0, 450 and 900, with the markup
// itself in grey beside the horizontal ones. A gallery showpiece: it has no
// input of its own.

#include <string>
#include <vector>

#include "framework/Panel.h"

class TTexSamplePanel : public TPanel {
public:
  explicit TTexSamplePanel(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The texts drawn, in order.
  static const std::vector<std::string>& Samples();

protected:
  void Paint(TCanvas& canvas) override;
};
