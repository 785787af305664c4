#include "launcher/FrSetInf.h"

#include "framework/DpiScaling.h"
#include "launcher/frStartup.h"

TfrmSetupInfo* frmSetupInfo = nullptr;

const TClassInfo& TfrmSetupInfo::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmSetupInfo>("TfrmSetupInfo", &TForm::StaticClassInfo())
                                     .Layout("TFRMSETUPINFO")
                                     .Field("Panel1", &TfrmSetupInfo::Panel1)
                                     .Method<&TfrmSetupInfo::FormCreate>("FormCreate")
                                     .Build();
  return info;
}

// The launcher's FormCreate, which runs first, has set the text.
void TfrmSetupInfo::FormCreate(TObject*) {
  Panel1->SetCaption(SetupInfoText);
  ScaleForm(*this, ScreenDpi());
}
