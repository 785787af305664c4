#pragma once
// TImage: shows a bitmap picture from the program's resources (Picture names
// the resource), drawn unscaled from the control's top-left corner and
// clipped to the control, or centred, or stretched to fill it. A picture
// scale (a form scaled to the screen's DPI) draws it that much larger or
// smaller, with smooth filtering, in the same places.

#include <memory>

#include "framework/Bitmap.h"
#include "framework/GraphicControl.h"

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& Picture() const { return pictureName_; }
  // Loads the named bitmap resource; an unknown name is an error.
  void SetPicture(const std::string& resourceName);
  const TBitmap& Bitmap() const { return bitmap_; }
  // Shows `bitmap` instead (a picture read from a file, say): takes it over,
  // leaving `bitmap` empty, and forgets the resource name.
  void TakeBitmap(TBitmap& bitmap);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  // Draws the picture at numerator / denominator of its size (1 / 1: unscaled).
  void SetPictureScale(int numerator, int denominator);

  void Paint(TCanvas& canvas) override;

private:
  TBitmap bitmap_;
  std::string pictureName_;
  bool center_ = false;
  bool stretch_ = false;
  int scaleNumerator_ = 1, scaleDenominator_ = 1;
};
