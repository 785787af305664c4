#pragma once
// TTmrCombo: a combo box whose edit part is a typed value entry with the
// rules of TTmrEdit (value types, key filter, paste check, conversions, pause
// timer and reflection), and whose owner-drawn list shows item images, a
// short and a long form of each text, separator lines, columns and lowered
// index text, drawn on the canvas or through its text object (TEXOutput).
//
// Differences from TTmrEdit:
//  - Modified is the combo's own flag: typing sets it, and so does choosing
//    an item with the mouse or the keys, so the value then parses the chosen
//    text. Writing the value clears it and raises no change.
//  - Enter does not reflect the value: it raises OnEnterKey (and reaches
//    OnKeyPress as 13). Other refused characters reach OnKeyPress as 0.
//    An accepted character closes an open list first. Escape closes an open
//    list, or else undoes the last edit, and goes no further.
//  - The reflection raises nothing for edtChar (and, as in TTmrEdit, nothing
//    for edtBin) besides the extra OnChange.
//  - Leaving the control runs ExitCheck: OnEmpty for an empty text; the
//    reflection while the pause runs; otherwise OnUnderflow and OnOverflow
//    (when assigned) for a value outside MinValue..MaxValue, hidden or not;
//    then the edit part's selection is removed and OnExit raised.
//  - A click on a fixed list opens it.
//
// Grid: a combo attached to a TTmrDrawGrid (Grid) is its in-place editor and
// hands navigation keys to the grid's own key handling: Page Up, Page Down,
// Home, End, Left and Right while the list is closed (Up and Down too while
// the grid's State is 0; Escape while it is 1); in an editable combo only
// Left and Right, and only with the caret at the start / end of the text and
// nothing selected. With Shift or Ctrl held every navigation key goes to the
// grid. Space opens and closes the list. Without a grid nothing is handed on.
//
// Item texts of the owner-drawn styles (see ItemText.h): "short|long", a "-"
// at the end for a separator line above the item in the list, "¤" ending
// each column (Columns: one character per column, "]" right-aligned; widths
// set with SetColumnWidth), "&" before index text (90 % high, lowered by a
// tenth of the font's height). The edit portion shows the short form without
// the separator line. The top byte of an item's data is its image in Images
// (for a selected item SelImBase further on, or the next one).

#include <cstdint>
#include <string>
#include <vector>

#include "controls/ValueEdit.h"
#include "framework/ComboBox.h"

class TImageList;
class TTEX;
class TTimer;
class TTmrDrawGrid;

class TTmrCombo : public TComboBox {
public:
  explicit TTmrCombo(TComponent* owner);
  ~TTmrCombo() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TEditType EditType() const { return editType_; }
  void SetEditType(TEditType value);
  const TCharSet& AllowedChars() const { return allowedChars_; }
  int32_t WaitingTime() const { return waitingTime_; }
  void SetWaitingTime(int32_t ms);
  const std::string& ValueFmt() const { return valueFmt_; }
  void SetValueFmt(const std::string& pattern);
  double StoredValue() const { return storedValue_; }
  TTimer* PauseTimer() const { return pauseTimer_; }

  // The value, through overridable accessors.
  double ValueExt() const { return ReadValueExt(); }
  void SetValueExt(double x) { WriteValueExt(x); }
  int32_t ValueInt() const { return ReadValueInt(); }
  void SetValueInt(int32_t v) { WriteValueInt(v); }
  bool IsValueExtStored() const;
  bool IsValueIntStored() const;

  const std::string& Columns() const { return columns_; }
  // Sets the columns; every column's width becomes 0.
  void SetColumns(const std::string& columns);
  const std::vector<int32_t>& ColumnWidths() const { return columnWidths_; }
  // The width of one column (counted from 0); other columns are ignored.
  void SetColumnWidth(int column, int32_t width);

  // The text object the items are drawn through while TEXOutput is true;
  // owned. SetTextObject replaces it (the old one is freed; null is refused).
  TTEX* TextObject() const { return textObject_; }
  void SetTextObject(TTEX* textObject);

  void ReflectValue(TObject* Sender);
  void ExitCheck();
  void GridKeys(uint16_t& key, TShiftState shift);

  // One item (index i) in rect R: the owner-draw of the list and of the
  // edit portion. EditPortion says which it is.
  void DrawListItem(TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state);
  void DrawColumns(TCanvas& canvas, const std::string& text, int x, int y);
  void DrawPiece(TCanvas& canvas, const std::string& piece, int x, int y);

  bool Modified = false;
  double MaxValue = 0;
  double MinValue = 0;
  bool ReflectTimer = true;
  int32_t DroppedWidth = 0;
  TImageList* Images = nullptr;  // not owned
  int32_t SelImBase = 0;
  bool TEXOutput = false;
  // Set before each owner-draw: the item drawn is the edit portion.
  bool EditPortion = false;
  // Recorded for the owner; never set or read here.
  int32_t WidthNormal = 0;
  TTmrDrawGrid* Grid = nullptr;  // not owned; cleared when the grid goes

  TStrToValEvent OnStrToVal;
  TValToStrEvent OnValToStr;
  TIntValToStrEvent OnIntValToStr;
  TNotifyEvent OnOverflow;
  TNotifyEvent OnUnderflow;
  TNotifyEvent OnUpdate;
  TNotifyEvent OnEmpty;
  TNotifyEvent OnEnterKey;
  TNotifyEvent OnCloseUp;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;
  void DblClick() override;
  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
  virtual double ReadValueExt() const;
  virtual int32_t ReadValueInt() const;
  virtual void WriteValueExt(double x);
  virtual void WriteValueInt(int32_t v);
  // The list closed (raises OnCloseUp) or dropped down (nothing here).
  virtual void ListClosed();
  virtual void ListDropped() {}

  void WindowCreated() override;
  void CommandNotify(WORD code) override;
  void Change() override;
  void DropDown() override;
  void DoPaste() override;
  void DrawItem(TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state) override;

private:
  TKeyFilterInput FilterInput() const;
  void RestartTimer(bool enabled);
  void WriteText(double stored, const std::string& text);
  void Compare(double v);
  int PieceWidth(TCanvas& canvas, const std::string& piece);

  TTimer* pauseTimer_;  // owned
  TTEX* textObject_;    // owned
  TCharSet allowedChars_;
  char decimalSeparator_ = '.';
  TEditType editType_ = edtChar;
  int32_t waitingTime_ = 2000;
  double storedValue_ = 0;
  std::string valueFmt_;
  std::string columns_;
  std::vector<int32_t> columnWidths_;
  bool settingValue_ = false;
};
