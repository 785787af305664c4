#pragma once
// TPanel: a window that paints its background, up to two bevels and its
// caption (centred by default). The caption is also the window's text, so
// screen readers and test tools can read it.

#include "framework/WinControl.h"

enum TPanelBevel : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
public:
  explicit TPanel(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);

protected:
  void Paint(TCanvas& canvas) override;

private:
  TAlignment alignment_ = taCenter;
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
};
