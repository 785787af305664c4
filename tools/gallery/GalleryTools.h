#pragma once
// TGalleryTools: a floating tool window with three tool buttons, for the
// gallery's forms page, where it floats over the drawing area. The layout is
// tools/gallery/GalleryTools.layout.

#include "forms/Floatfrm.h"
#include "framework/Button.h"

class TGalleryTools : public TFloatingForm {
public:
  using TFloatingForm::TFloatingForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TButton* btnLine = nullptr;
  TButton* btnCircle = nullptr;
  TButton* btnText = nullptr;
};
