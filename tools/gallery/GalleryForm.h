#pragma once
// TGalleryForm: one control of every kind the input-control unit offers,
// each with a static label carrying its name, and a log of every event they
// raise, one line per event ("edtInteger: OnChange Text='12'"), readable as
// the text of the log window, and a button for each page of the gallery
// (GalleryPages.h). The layout is tools/gallery/Gallery.layout.

#include <string>
#include <vector>

#include "controls/SajatCom.h"
#include "framework/Button.h"
#include "framework/CustomForm.h"
#include "framework/Memo.h"

class TGalleryForm : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TTmrEdit* edtChar = nullptr;
  TTmrEdit* edtBin = nullptr;
  TTmrEdit* edtHex = nullptr;
  TTmrEdit* edtInteger = nullptr;
  TTmrEdit* edtCardinal = nullptr;
  TTmrEdit* edtFloat = nullptr;
  TTmrEdit* edtFloatP = nullptr;
  TTmrSpinEdit* spnInteger = nullptr;
  TTmrSpinEdit* spnHex = nullptr;
  TTmrSpinEdit* spnFloat = nullptr;
  TTmrSpinEdit* spnFloatP = nullptr;
  TMemo* memLog = nullptr;
  TButton* btnClearLog = nullptr;

  void ControlChange(TObject* Sender);
  void ControlEnter(TObject* Sender);
  void ControlExit(TObject* Sender);
  void ControlDblClick(TObject* Sender);
  void ControlUpdate(TObject* Sender);
  void ControlOverflow(TObject* Sender);
  void ControlUnderflow(TObject* Sender);
  void ControlEmpty(TObject* Sender);
  void ControlKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void ControlKeyPress(TObject* Sender, char& Key);
  void ControlOtherKey(TObject* Sender, char Key);
  void btnClearLogClick(TObject* Sender);
  void FormCreate(TObject* Sender);
  void PageButtonClick(TObject* Sender);

private:
  void Log(TObject* sender, const std::string& event);

  std::vector<TCustomForm*> pages_;  // one per page once opened; owned by the application
};

extern TGalleryForm* GalleryForm;
