#include "tools/gallery/GalleryTools.h"

const TClassInfo& TGalleryTools::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGalleryTools>("TGalleryTools", &TFloatingForm::StaticClassInfo())
                                     .Layout("TGALLERYTOOLS")
                                     .Field("btnLine", &TGalleryTools::btnLine)
                                     .Field("btnCircle", &TGalleryTools::btnCircle)
                                     .Field("btnText", &TGalleryTools::btnText)
                                     .Build();
  return info;
}
