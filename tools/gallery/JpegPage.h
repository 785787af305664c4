#pragma once
// TJpegPage: the gallery page of JPEG pictures ("/page Jpeg"). The sample
// JPEG compiled into the gallery (resource SAMPLEJPEG) is read through the
// framework's JPEG picture format and shown in imgOriginal; the picture is
// then saved as JPEG by the framework and read back into imgSaved; and the
// sample cut to half its length is read once more, which fails with the
// picture error whose text lblCorrupt shows. The layout is
// tools/gallery/JpegPage.layout.

#include "framework/CustomForm.h"
#include "framework/Image.h"
#include "framework/StaticText.h"

class TJpegPage : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TImage* imgOriginal = nullptr;
  TImage* imgSaved = nullptr;
  TStaticText* lblOriginal = nullptr;
  TStaticText* lblSaved = nullptr;
  TStaticText* lblCorrupt = nullptr;

  void FormCreate(TObject* Sender);
};
