#include "controls/TmrDrawGrid.h"

#include "controls/TmrCombo.h"

const TClassInfo& TTmrDrawGrid::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTmrDrawGrid>("TTmrDrawGrid", &TDrawGrid::StaticClassInfo()).Creatable().Build();
  return info;
}

TTmrDrawGrid::TTmrDrawGrid(TComponent* owner) : TDrawGrid(owner) {}

TTmrDrawGrid::~TTmrDrawGrid() {
  if (combo_ && combo_->Grid == this) combo_->Grid = nullptr;
}

void TTmrDrawGrid::SetCombo(TTmrCombo* combo) {
  if (combo_ && combo_->Grid == this) combo_->Grid = nullptr;
  combo_ = combo;
  if (combo_) {
    combo_->Grid = this;
    PlaceCombo();
  }
}

void TTmrDrawGrid::PlaceCombo() {
  if (!combo_) return;
  RECT r = CellRect(Col(), Row());
  POINT origin{r.left, r.top};
  if (combo_->Parent() != this) {
    // Over the cell, in the combo's parent's coordinates.
    POINT screen = ClientToScreen(origin);
    origin = combo_->Parent() ? combo_->Parent()->ScreenToClient(screen) : screen;
  }
  combo_->SetBounds(origin.x, origin.y, r.right - r.left, combo_->Height());
}

void TTmrDrawGrid::CellMoved() {
  State = 0;
  PlaceCombo();
}

void TTmrDrawGrid::KeyDown(uint16_t& key, TShiftState shift) {
  const bool cancel = key == VK_ESCAPE && State == 1;
  TDrawGrid::KeyDown(key, shift);
  if (cancel) State = 0;
}

void TTmrDrawGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TDrawGrid::MouseDown(button, shift, x, y);
  if (button == mbLeft && combo_ && Focused() && combo_->CanFocus()) combo_->SetFocus();
}
