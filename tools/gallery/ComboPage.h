#pragma once
// TComboPage: the gallery page of the typed combos and the text object
// ("/page Combo"). The layout is tools/gallery/ComboPage.layout; the sample
// panel of the text object is made in FormCreate.

#include <string>

#include "controls/SajatCom.h"
#include "framework/CustomForm.h"
#include "framework/Memo.h"
#include "tools/gallery/TexSamplePanel.h"

class TComboPage : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TMemo* memLog = nullptr;
  // Made in FormCreate; owned by the form.
  TTexSamplePanel* pnlTex = nullptr;

  void FormCreate(TObject* Sender);
};
