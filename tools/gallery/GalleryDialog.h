#pragma once
// TGalleryDialog: a small dialog on the library's default form, for the
// gallery's forms page: it keeps its place in the gallery's settings (slot
// 1), moves the pointer onto itself when shown, and Esc presses its "Mégse"
// button except in the load field (a typed edit, where Esc undoes the last
// edit). The layout is tools/gallery/GalleryDialog.layout.

#include "controls/SajatCom.h"
#include "forms/frDefaul.h"
#include "framework/Button.h"
#include "framework/Edit.h"

class TGalleryDialog : public TfrmDefault {
public:
  using TfrmDefault::TfrmDefault;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The slot of the dialog's place in the settings store.
  static constexpr int32_t kSlot = 1;

  // From the layout; owned by the form.
  TEdit* edtName = nullptr;
  TTmrEdit* edtLoad = nullptr;
  TButton* btnOk = nullptr;
  TButton* btnCancel = nullptr;
};
