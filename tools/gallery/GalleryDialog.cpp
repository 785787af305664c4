#include "tools/gallery/GalleryDialog.h"

const TClassInfo& TGalleryDialog::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGalleryDialog>("TGalleryDialog", &TfrmDefault::StaticClassInfo())
                                     .Layout("TGALLERYDIALOG")
                                     .Field("edtName", &TGalleryDialog::edtName)
                                     .Field("edtLoad", &TGalleryDialog::edtLoad)
                                     .Field("btnOk", &TGalleryDialog::btnOk)
                                     .Field("btnCancel", &TGalleryDialog::btnCancel)
                                     .Build();
  return info;
}
