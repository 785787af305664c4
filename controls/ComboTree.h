#pragma once
// TComboTree: the structured combo's drop-down tree. The combo creates and
// owns it and makes it a child of the form that holds the combo, so that it
// can reach beyond the combo. Whenever it is shown or hidden it first places
// itself under the combo: its top-left corner at the combo's bottom-left one,
// or, unless the combo is left-justified, its right edge under the combo's.
// Its window text is the combo's name, so that tools can tell whose it is.

#include "framework/TreeView.h"

class TStructCombo;

class TComboTree : public TTreeView {
public:
  explicit TComboTree(TStructCombo* combo);
  ~TComboTree() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The combo it drops from (not owned); cleared when the combo lets go.
  TStructCombo* Combo;

  // Moves the tree under the combo (in its parent's client coordinates).
  void PlaceUnderCombo();

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  void VisibleChanged() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
