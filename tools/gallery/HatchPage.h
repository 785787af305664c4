#pragma once
// THatchPage: the gallery's page of the hatch-pattern table. Every pattern
// fills an area of its own (a THatchSample, black lines on white, filled
// with the pattern as a brush), with the pattern's name in a Static window
// beneath it; twelve areas in table order, four to a row.

#include <memory>

#include "controls/HatchBrush.h"
#include "framework/CustomForm.h"
#include "framework/GraphicControl.h"

class THatchSample : public TGraphicControl {
public:
  THatchSample(TComponent* owner, int pattern);
  int Pattern() const { return pattern_; }
  void Paint(TCanvas& canvas) override;

private:
  int pattern_;
  THatchBrush brush_;
};

class THatchPage : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  void AfterConstruction() override;

  // Sample areas: 120 x 72 pixels, 16 apart; names 20 pixels tall below.
  static constexpr int SampleWidth = 120, SampleHeight = 72, Gap = 16, NameHeight = 20, Columns = 4;
  // The area of pattern i, in client coordinates.
  static RECT SampleRect(int i);
};
