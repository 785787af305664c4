#pragma once
// TFormsPage: the gallery page of the library's base forms ("/page Forms"):
//   - "Párbeszéd..." opens TGalleryDialog modally; it keeps its place in the
//     gallery's settings (Gallery.ini next to Gallery.exe, section "Forms",
//     key 1);
//   - the tool window TGalleryTools floats over the drawing area pnlDrawing
//     and is dragged by its header strip; "Eszköztár" shows it again after
//     its close button hid it;
//   - a cursor hint window follows the pointer over the drawing area;
//     "Következő képlet" gives it the next of its formula texts (long ones
//     are broken into lines).
// Every event goes to the log memLog, one line each. The layout is
// tools/gallery/FormsPage.layout.

#include <string>

#include "forms/frchint.h"
#include "framework/Button.h"
#include "framework/CustomForm.h"
#include "framework/Memo.h"
#include "framework/Panel.h"
#include "tools/gallery/GalleryTools.h"

class TFormsPage : public TForm {
public:
  using TForm::TForm;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TPanel* pnlDrawing = nullptr;
  TButton* btnDialog = nullptr;
  TButton* btnTools = nullptr;
  TButton* btnHint = nullptr;
  TMemo* memLog = nullptr;
  // Made in FormCreate: the tool window (owned by the form) and the hint
  // window (owned by nobody, freed with the form unless it closed itself).
  TGalleryTools* Tools = nullptr;
  TfrmCursorHint* Hint = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void btnDialogClick(TObject* Sender);
  void btnToolsClick(TObject* Sender);
  void btnHintClick(TObject* Sender);
  void DrawingMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

private:
  void ToolClick(TObject* Sender);
  void ToolsClose(TObject* Sender);
  void ToolsMoved(TObject* Sender);
  void HintDestroyed(TObject* Sender);
  void Log(const std::string& line);

  int hintIndex_ = 0;
  RECT toolsLogged_{};  // the tool window's bounds as last logged
};
