#include "tasks/DrawingView.h"

void TDrawingView::ApplyState(int32_t n) {
  if (!States || n < 1 || n > States->Count()) return;
  TViewState loaded;
  if (!States->ReadRec(n, &loaded)) return;
  State = loaded;
  StateNo = n;
  StateLoaded();
  StateLoadedLate();
}

int32_t TDrawingView::SelectState(int32_t n) {
  int32_t previous = StateNo;
  ApplyState(n);
  return previous;
}
