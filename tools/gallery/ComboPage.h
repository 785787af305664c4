#pragma once
// TComboPage: the gallery page of the typed combos and the text object
// ("/page Combo"): a combo of each style (an editable float entry, a fixed
// list, owner-drawn lists with images, short and long texts and a separator,
// with columns and index text, with markup drawn with and without the text
// object, and one whose rows are as high as their texts need), a grid with an in-place combo, the text object's samples,
// and a log of the events. The layout is tools/gallery/ComboPage.layout;
// items, images, column widths and the sample panel are made in FormCreate.

#include <array>
#include <string>

#include "controls/SajatCom.h"
#include "framework/CustomForm.h"
#include "framework/ImageList.h"
#include "framework/Memo.h"
#include "tools/gallery/TexSamplePanel.h"

class TComboPage : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TTmrCombo* cmbDropDown = nullptr;
  TTmrCombo* cmbList = nullptr;
  TTmrCombo* cmbImages = nullptr;
  TTmrCombo* cmbColumns = nullptr;
  TTmrCombo* cmbTexOn = nullptr;
  TTmrCombo* cmbTexOff = nullptr;
  TTmrDrawGrid* grdMaterials = nullptr;
  TTmrCombo* cmbGrid = nullptr;
  TTmrCombo* cmbVariable = nullptr;
  TMemo* memLog = nullptr;
  // Made in FormCreate; owned by the form.
  TImageList* imgMaterials = nullptr;
  TTexSamplePanel* pnlTex = nullptr;

  void FormCreate(TObject* Sender);
  void ComboChange(TObject* Sender);
  void ComboClick(TObject* Sender);
  void ComboEnter(TObject* Sender);
  void ComboExit(TObject* Sender);
  void ComboUpdate(TObject* Sender);
  void ComboOverflow(TObject* Sender);
  void ComboUnderflow(TObject* Sender);
  void ComboEmpty(TObject* Sender);
  void ComboEnterKey(TObject* Sender);
  void ComboCloseUp(TObject* Sender);
  void ComboKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void ComboKeyPress(TObject* Sender, char& Key);
  void ComboMeasureItem(TObject* Sender, int Index, int& Height);
  void GridChange(TObject* Sender);
  void GridDrawCell(TObject* Sender, TCanvas& Canvas, int Col, int Row, const RECT& Rect, TGridDrawState State);
  void GridSelectCell(TObject* Sender, int Col, int Row, bool& CanSelect);
  void GridKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);

private:
  void Log(TObject* sender, const std::string& event);
  void MakeImages();

  // The grid's values, one per row below the header.
  std::array<std::string, 6> materials_{"", "Acél", "Fa", "Beton", "Acél", "Alumínium"};
};
