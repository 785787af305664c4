#pragma once
// TDrawGrid: a grid of cells that its owner draws (OnDrawCell), with fixed
// rows and columns at the top and left, and a current cell (Col, Row) that
// the keyboard and the mouse move.
//
// Keys (in KeyDown, after OnKeyDown, unless a handler consumed the key):
// the arrows move one cell, Page Up / Page Down one visible page of rows,
// Home / End to the first / last column, Ctrl+Home / Ctrl+End to the first /
// last row. The current cell stays among the cells that are not fixed.
// OnSelectCell may refuse a move; a move that happens calls CellMoved().
// The rows scroll so that the current row is visible.
//
// A left click makes the cell under the pointer current and focuses the
// grid.

#include <cstdint>
#include <vector>

#include "framework/WinControl.h"

// State bits of a cell being drawn.
enum TGridDrawFlag : uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawFlag>;
using TDrawCellEvent =
    TEvent<void(TObject* Sender, TCanvas& Canvas, int Col, int Row, const RECT& Rect, TGridDrawState State)>;
using TSelectCellEvent = TEvent<void(TObject* Sender, int Col, int Row, bool& CanSelect)>;

class TDrawGrid : public TWinControl {
public:
  explicit TDrawGrid(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int ColCount() const { return colCount_; }
  void SetColCount(int value);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int value);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int value);
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);

  int Col() const { return col_; }
  void SetCol(int value) { MoveTo(value, row_); }
  int Row() const { return row_; }
  void SetRow(int value) { MoveTo(col_, value); }
  // The first row below the fixed ones that is shown.
  int TopRow() const { return topRow_; }
  int VisibleRowCount() const;

  // The cell's rectangle in client coordinates (empty when scrolled away).
  RECT CellRect(int col, int row) const;
  // The cell at a client point; false outside the cells.
  bool CellAt(int x, int y, int& col, int& row) const;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(TCanvas& canvas) override;
  // Draws one cell; the default raises OnDrawCell, or fills the cell.
  virtual void DrawCell(TCanvas& canvas, int col, int row, const RECT& rect, TGridDrawState state);
  // The current cell changed.
  virtual void CellMoved() {}
  // Makes (col, row) current when it is a cell that is not fixed and
  // OnSelectCell allows it; returns whether it is current now.
  bool MoveTo(int col, int row);

private:
  void Clamp();
  void ScrollToRow();

  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  std::vector<int> colWidths_;  // set widths; others are the default
  int col_ = 1;
  int row_ = 1;
  int topRow_ = 1;
};
