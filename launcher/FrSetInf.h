#pragma once
// TfrmSetupInfo: the borderless one-line wait notice shown while the
// installation is being finished. The layout is resources/FrSetInf.layout.

#include "framework/CustomForm.h"
#include "framework/Panel.h"

class TfrmSetupInfo : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TPanel* Panel1 = nullptr;  // from the layout; owned by the form

  void FormCreate(TObject* Sender);
};

extern TfrmSetupInfo* frmSetupInfo;
