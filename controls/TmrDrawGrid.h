#pragma once
// TTmrDrawGrid: a draw grid with an in-place typed combo (Combo, not owned),
// which sits over the current cell and takes the keys; the combo hands the
// grid its navigation keys (TTmrCombo::GridKeys), depending on State:
//
//   State 0 (browsing): Up and Down move the grid's row, the combo's list
//     only opens on request.
//   State 1 (choosing): the combo keeps Up and Down for its items; Escape
//     reaches the grid, which goes back to State 0 (after OnKeyDown, where
//     the owner can put the cell's value back).
//
// The owner sets State 1 when the user starts changing a value (from the
// combo's OnChange, for example); every move of the current cell sets it
// back to 0 and places the combo over the new cell (OnSelectCell comes
// first, while Col and Row are still the old cell's: the place to keep the
// old value and load the new one). A click on the grid leaves the keys with
// the combo, as when the combo itself is clicked. Without a combo the grid is
// a plain draw grid.

#include <cstdint>

#include "framework/DrawGrid.h"

class TTmrCombo;

class TTmrDrawGrid : public TDrawGrid {
public:
  explicit TTmrDrawGrid(TComponent* owner);
  ~TTmrDrawGrid() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Not owned; cleared when the combo goes (and the combo's Grid when the
  // grid goes).
  TTmrCombo* Combo() const { return combo_; }
  // Attaches the combo (and the combo to the grid), placed over the current
  // cell; null detaches.
  void SetCombo(TTmrCombo* combo);
  // Puts the combo over the current cell again (after a size change).
  void PlaceCombo();

  uint8_t State = 0;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  // A left click moves to the cell and gives the keys to the combo.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
  void CellMoved() override;

private:
  TTmrCombo* combo_ = nullptr;  // not owned
};
