#pragma once
// TStructComboPage: the gallery page of the structured combo
// ("/page StructCombo"): the two-group material list, a longer three-level
// catalogue with limits on the tree's size, a combo without entries,
// ObjectIndex set from an edit, a switch that disables the first combo, and
// a log of the combos' events
// ("cmbMaterial: OnChange ObjectIndex=11 Text='S355'"). The layout is
// tools/gallery/StructComboPage.layout; the entries are set in FormCreate.

#include <string>

#include "controls/SajatCom.h"
#include "controls/StructCombo.h"
#include "framework/Button.h"
#include "framework/CustomForm.h"
#include "framework/Memo.h"

class TStructComboPage : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TStructCombo* cmbMaterial = nullptr;
  TStructCombo* cmbSection = nullptr;
  TTmrEdit* edtObjectIndex = nullptr;
  TButton* btnSetIndex = nullptr;
  TButton* btnEnable = nullptr;
  TMemo* memLog = nullptr;
  TButton* btnClearLog = nullptr;
  TStructCombo* cmbEmpty = nullptr;

  void FormCreate(TObject* Sender);
  void ComboChange(TObject* Sender);
  void ComboCloseUp(TObject* Sender);
  void btnSetIndexClick(TObject* Sender);
  void btnEnableClick(TObject* Sender);
  void btnClearLogClick(TObject* Sender);

private:
  void Log(TObject* sender, const std::string& event);
};
