#pragma once
// TComboBox: a standard "ComboBox" window with its items.
//
// Styles: csDropDown (an edit with a drop-down list), csSimple (an edit over
// a list that is always shown), csDropDownList (a fixed list: the selection
// field shows the chosen item), csOwnerDrawFixed and csOwnerDrawVariable
// (fixed lists whose items and selection field the control draws: DrawItem,
// with ItemHeight, or MeasureItem for each item). Changing the style makes
// the window again.
//
// Items: texts with a number each (ItemData), kept by the control and given
// to the window when it is made.
//
// Text: what the edit part (or the selection field) shows. The user's
// changes are copied back before OnChange: typing (csDropDown, csSimple) and
// choosing an item, which raises OnClick and then OnChange. Text assigned by
// the program raises nothing. For the fixed lists, assigning the text of an
// item selects it; any other text selects nothing.
//
// The edit part: its keys, characters, pastes, double clicks and mouse
// buttons reach the control as its own (KeyDown, KeyPress, DoPaste, DblClick,
// MouseDown, MouseUp), and focus arriving there counts as the control's.
// Each key press raises the events once: while the list is open the edit
// part hands Enter and Escape on to the combo window as a key of its own,
// and that copy only closes the list. SelStart and SelLength are the edit
// part's selection. An undo (Undo, Ctrl+Z, the context menu) raises one
// OnChange, however many notifications the window sends for it.
//
// Sizes: Height is the height of the closed control, which the system sets
// from the font; the drop-down list shows DropDownCount items.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/WinControl.h"

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// The state of an item being drawn: the system's ODS_ bits (ODS_SELECTED,
// ODS_FOCUS, ODS_DISABLED, ODS_COMBOBOXEDIT ...).
using TOwnerDrawState = UINT;
using TDrawItemEvent =
    TEvent<void(TObject* Sender, TCanvas& Canvas, int Index, const RECT& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TEvent<void(TObject* Sender, int Index, int& Height)>;

class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* owner);
  // The window goes while the whole control exists: its edit part still
  // reaches this control until then.
  ~TComboBox() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  bool HasEditPart() const { return style_ == csDropDown || style_ == csSimple; }
  bool OwnerDrawn() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  // The height of the owner-drawn items (csOwnerDrawFixed), pixels.
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);

  int ItemCount() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const { return items_.at(static_cast<size_t>(index)).Text; }
  intptr_t ItemData(int index) const { return items_.at(static_cast<size_t>(index)).Data; }
  void SetItemData(int index, intptr_t data);
  // Adds an item at the end; returns its index.
  int AddItem(const std::string& text, intptr_t data = 0);
  void ClearItems();

  // The selected item, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& text);

  bool DroppedDown() const;
  void SetDroppedDown(bool value);

  // Undoes the last edit of the edit part.
  void Undo();

  int SelStart() const;
  int SelLength() const;
  void SetSelection(int start, int length);
  void SelectAll() { SetSelection(0, -1); }

  // The windows of the edit part and of the list (null when there is none or
  // no window yet).
  HWND EditHandle() const;
  HWND ListHandle() const;
  // Whether the control, its edit part or its list has the keyboard focus.
  bool FocusInside() const;

  void SetBounds(int left, int top, int width, int height) override;
  // A combo's click is the user's choice of an item (CBN_SELCHANGE), not a
  // press and release of the mouse button.
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CommandNotify(WORD code) override;
  void DrawItemNotify(const DRAWITEMSTRUCT& item) override;
  void MeasureItemNotify(MEASUREITEMSTRUCT& item) override;
  void TextChanged() override;

  // The text changed by the user; raises OnChange.
  virtual void Change();
  // The list is about to drop down; raises OnDropDown.
  virtual void DropDown();
  // The list closed; nothing here.
  virtual void CloseUp() {}
  // An item (Index >= 0) of an owner-drawn style: the canvas has the
  // control's font and the brush of the item's background (highlighted when
  // selected). The default raises OnDrawItem, or fills the rectangle and
  // writes the item's text.
  virtual void DrawItem(TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  // The edit part is asked to paste; the default lets it.
  virtual void DoPaste();
  // Sends a message to the edit part's own window procedure (undo, margins).
  LRESULT EditPerform(UINT message, WPARAM wParam, LPARAM lParam);

private:
  friend LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM);
  struct TItem {
    std::string Text;
    intptr_t Data = 0;
  };
  LRESULT EditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  void AttachEditPart();
  void CopyTextFromWindow();
  int DroppedHeight() const;
  void RecreateWindow();

  TComboBoxStyle style_ = csDropDown;
  std::vector<TItem> items_;
  int itemIndex_ = -1;  // while there is no window
  int dropDownCount_ = 8;
  int itemHeight_ = 16;
  int maxLength_ = 0;
  UINT_PTR id_;
  HWND edit_ = nullptr;       // the edit part, subclassed; not owned
  WNDPROC editProc_ = nullptr;  // its own procedure
  bool copyingText_ = false;
  int editKeyDepth_ = 0;      // inside the edit part's own handling of a key
  int undoDepth_ = 0;         // inside an undo of the edit part
  bool undoChanged_ = false;  // the undo changed the text
};

const TEnumInfo& ComboBoxStyleInfo();
