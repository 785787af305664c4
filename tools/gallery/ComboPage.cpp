#include "tools/gallery/ComboPage.h"

const TClassInfo& TComboPage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComboPage>("TComboPage", &TForm::StaticClassInfo())
                                     .Layout("TCOMBOPAGE")
                                     .Field("memLog", &TComboPage::memLog)
                                     .Method<&TComboPage::FormCreate>("FormCreate")
                                     .Build();
  return info;
}

void TComboPage::FormCreate(TObject*) {
  pnlTex = new TTexSamplePanel(this);
  pnlTex->SetName("pnlTex");
  pnlTex->SetParent(this);
  pnlTex->SetBounds(320, 8, 380, 170);
}
