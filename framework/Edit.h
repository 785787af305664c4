#pragma once
// TEdit: a single-line edit box (a standard "Edit" window with a sunken
// border; 121 x 21 pixels when made).
//
// Text is the control's caption, kept equal to what the window shows: every
// change the window reports (typed, pasted, cut, undone or assigned) is copied
// back before OnChange is raised. Assigning the text the control already
// holds does nothing.
//
// OnChange follows the window's change notification, so it is raised only
// while the window exists, once for every change of its text. An undo
// (Undo, Ctrl+Z, the context menu) is one change, however many
// notifications the window sends for it.
//
// Without a window the control keeps MaxLength, ReadOnly, Modified and the
// margins and gives them to the window when it is made; while the window
// exists Modified, SelStart and SelLength are the window's own.
//
// Clipboard: every paste and cut the window is asked for (Ctrl+V, Ctrl+X,
// Shift+Insert, Shift+Delete, the context menu, PasteFromClipboard) reaches
// DoPaste / DoCut, so a descendant can check or refuse each of them.
//
// AutoSelect: focus arriving by keyboard or program selects the whole text;
// focus arriving by a mouse click leaves the caret where the click put it.

#include <string>

#include "framework/WinControl.h"

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }

  // The most characters the user may type or paste; 0: no limit. Text
  // assigned by the program is not cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  // Whether the user changed the text since it was last assigned (the
  // window clears it when the program sets the text).
  bool Modified() const;
  void SetModified(bool value);

  // The selection in characters; SelStart is the caret when nothing is
  // selected.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  std::string SelText() const;
  // Replaces the selection (undoable, like typing).
  void SetSelText(const std::string& text);
  void SelectAll();

  bool CanUndo() const;
  void Undo();
  // Clear empties the text; ClearSelection deletes the selected part.
  void Clear() { SetText(std::string()); }
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  // Inner margins between the border and the text, in pixels; until set,
  // the window's own, which follow the font.
  void SetLeftMargin(int pixels);
  void SetRightMargin(int pixels);

  // Shift+Insert and Shift+Delete become WM_PASTE and WM_CUT (after the
  // events), which the window would otherwise handle without asking.
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CommandNotify(WORD code) override;
  void TextChanged() override;
  void FontChanged() override;

  // The text changed; raises OnChange.
  virtual void Change();
  // The window is asked to paste (cut); the defaults let it.
  virtual void DoPaste();
  virtual void DoCut();

private:
  void CopyTextFromWindow();
  void ApplyMargins(WPARAM which);

  int maxLength_ = 0;
  bool readOnly_ = false;
  bool autoSelect_ = true;
  bool modified_ = false;  // while there is no window
  int leftMargin_ = -1;  // -1: the window's own
  int rightMargin_ = -1;
  bool copyingText_ = false;  // the caption follows the window; do not write it back
  bool undoing_ = false;      // inside the window's undo
  bool undoChanged_ = false;  // and it changed the text
};
