#include "framework/DrawGrid.h"

#include <algorithm>

#include "framework/Canvas.h"

const TClassInfo& TDrawGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TDrawGrid> b("TDrawGrid", &TWinControl::StaticClassInfo());
    b.Creatable()
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true)
        .Int("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount, 5)
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Stored(&TControl::IsColorStored)
        .Int("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth, 64)
        .Int("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight, 24)
        .Int("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols, 1)
        .Int("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows, 1)
        .Object("Font", &TControl::Font)
        .Stored(&TControl::IsFontStored)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Int("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount, 5)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDrawCell", &TDrawGrid::OnDrawCell)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnSelectCell", &TDrawGrid::OnSelectCell);
    return b.Build();
  }();
  return info;
}

TDrawGrid::TDrawGrid(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

void TDrawGrid::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= TabStop() ? WS_TABSTOP : 0;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

LRESULT TDrawGrid::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) return DLGC_WANTARROWS | DLGC_WANTCHARS;
  return TWinControl::WndProc(message, wParam, lParam);
}

void TDrawGrid::SetColCount(int value) {
  colCount_ = std::max(value, 1);
  Clamp();
}

void TDrawGrid::SetRowCount(int value) {
  rowCount_ = std::max(value, 1);
  Clamp();
}

void TDrawGrid::SetFixedCols(int value) {
  fixedCols_ = std::max(value, 0);
  Clamp();
}

void TDrawGrid::SetFixedRows(int value) {
  fixedRows_ = std::max(value, 0);
  Clamp();
}

void TDrawGrid::SetDefaultColWidth(int value) {
  defaultColWidth_ = std::max(value, 1);
  Invalidate();
}

void TDrawGrid::SetDefaultRowHeight(int value) {
  defaultRowHeight_ = std::max(value, 1);
  ScrollToRow();
  Invalidate();
}

int TDrawGrid::ColWidth(int col) const {
  if (col >= 0 && static_cast<size_t>(col) < colWidths_.size() && colWidths_[static_cast<size_t>(col)] >= 0)
    return colWidths_[static_cast<size_t>(col)];
  return defaultColWidth_;
}

void TDrawGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  if (colWidths_.size() <= static_cast<size_t>(col)) colWidths_.resize(static_cast<size_t>(col) + 1, -1);
  colWidths_[static_cast<size_t>(col)] = std::max(width, 0);
  Invalidate();
}

// Keeps the current cell and the first shown row among the cells that are
// not fixed (or on the last cell when every one is fixed).
void TDrawGrid::Clamp() {
  col_ = std::clamp(col_, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
  row_ = std::clamp(row_, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
  ScrollToRow();
  Invalidate();
}

int TDrawGrid::VisibleRowCount() const {
  const int free = ClientHeight() - fixedRows_ * defaultRowHeight_;
  return std::max(1, free / defaultRowHeight_);
}

void TDrawGrid::ScrollToRow() {
  const int first = std::min(fixedRows_, rowCount_ - 1);
  topRow_ = std::max(topRow_, first);
  if (row_ < topRow_) topRow_ = row_;
  const int visible = VisibleRowCount();
  if (row_ >= topRow_ + visible) topRow_ = row_ - visible + 1;
  topRow_ = std::max(topRow_, first);
}

RECT TDrawGrid::CellRect(int col, int row) const {
  RECT r{0, 0, 0, 0};
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return r;
  if (row >= fixedRows_ && row < topRow_) return r;
  int x = 0;
  for (int c = 0; c < col; ++c) x += ColWidth(c);
  const int y = row < fixedRows_ ? row * defaultRowHeight_
                                 : (fixedRows_ + row - topRow_) * defaultRowHeight_;
  return RECT{x, y, x + ColWidth(col), y + defaultRowHeight_};
}

bool TDrawGrid::CellAt(int x, int y, int& col, int& row) const {
  if (x < 0 || y < 0) return false;
  int left = 0;
  col = -1;
  for (int c = 0; c < colCount_; ++c) {
    if (x < left + ColWidth(c)) {
      col = c;
      break;
    }
    left += ColWidth(c);
  }
  if (col < 0) return false;
  const int line = y / defaultRowHeight_;
  row = line < fixedRows_ ? line : topRow_ + line - fixedRows_;
  return row < rowCount_;
}

bool TDrawGrid::MoveTo(int col, int row) {
  if (col < fixedCols_ || col >= colCount_ || row < fixedRows_ || row >= rowCount_) return false;
  if (col == col_ && row == row_) return true;
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, col, row, can);
  if (!can) return false;
  col_ = col;
  row_ = row;
  ScrollToRow();
  Invalidate();
  CellMoved();
  return true;
}

void TDrawGrid::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const bool ctrl = shift.Contains(ssCtrl);
  const int page = VisibleRowCount();
  switch (key) {
    case VK_LEFT: MoveTo(col_ - 1, row_); break;
    case VK_RIGHT: MoveTo(col_ + 1, row_); break;
    case VK_UP: MoveTo(col_, row_ - 1); break;
    case VK_DOWN: MoveTo(col_, row_ + 1); break;
    case VK_PRIOR: MoveTo(col_, std::max(fixedRows_, row_ - page)); break;
    case VK_NEXT: MoveTo(col_, std::min(rowCount_ - 1, row_ + page)); break;
    case VK_HOME:
      if (ctrl) MoveTo(col_, fixedRows_);
      else MoveTo(fixedCols_, row_);
      break;
    case VK_END:
      if (ctrl) MoveTo(col_, rowCount_ - 1);
      else MoveTo(colCount_ - 1, row_);
      break;
    default:
      return;
  }
  key = 0;
}

void TDrawGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (CanFocus()) SetFocus();
    int col, row;
    if (CellAt(x, y, col, row)) MoveTo(col, row);
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TDrawGrid::Paint(TCanvas& canvas) {
  const int rows = fixedRows_ + VisibleRowCount() + 1;
  for (int line = 0; line < rows; ++line) {
    const int row = line < fixedRows_ ? line : topRow_ + line - fixedRows_;
    if (row >= rowCount_) break;
    for (int col = 0; col < colCount_; ++col) {
      RECT r = CellRect(col, row);
      TGridDrawState state;
      const bool fixed = col < fixedCols_ || row < fixedRows_;
      if (fixed) state.Include(gdFixed);
      if (col == col_ && row == row_) {
        state.Include(gdSelected);
        if (Focused()) state.Include(gdFocused);
      }
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(fixed ? clBtnFace : state.Contains(gdSelected) ? clHighlight : Color());
      canvas.Font().Assign(GetFont());
      if (state.Contains(gdSelected) && !fixed) canvas.Font().SetColor(clHighlightText);
      RECT inner{r.left, r.top, r.right - 1, r.bottom - 1};
      DrawCell(canvas, col, row, inner, state);
      canvas.Pen().SetColor(fixed ? clBtnShadow : clSilver);
      canvas.MoveTo(r.right - 1, r.top);
      canvas.LineTo(r.right - 1, r.bottom - 1);
      canvas.LineTo(r.left - 1, r.bottom - 1);
    }
  }
}

void TDrawGrid::DrawCell(TCanvas& canvas, int col, int row, const RECT& rect, TGridDrawState state) {
  if (OnDrawCell) {
    OnDrawCell(this, canvas, col, row, rect, state);
    return;
  }
  canvas.FillRect(rect);
}
