#include "tools/taskdemo/CrossCursor.h"

#include <windows.h>

#include <cstdio>

TCrossCursor::TCrossCursor(TTaskObj* task) : TTaskCursor(task, nullptr) {
  FBuffered = true;
  FHintEnabled = true;
  FOnDraw = TDrawEvent::Of<&TCrossCursor::DrawCross>(this);
  FOnGetHint = TGetHintEvent::Of<&TCrossCursor::HintText>(this);
  if (HDC dc = reinterpret_cast<HDC>(Buffer()->Surface())) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
    pen_ = reinterpret_cast<uintptr_t>(pen);
    oldPen_ = reinterpret_cast<uintptr_t>(SelectObject(dc, pen));
    oldBrush_ = reinterpret_cast<uintptr_t>(SelectObject(dc, GetStockObject(NULL_BRUSH)));
  }
}

TCrossCursor::~TCrossCursor() {
  // Removed while this class's bounds still answer.
  try {
    Close();
  } catch (...) {
  }
  if (HDC dc = reinterpret_cast<HDC>(Buffer()->Surface()); dc && pen_) {
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(oldPen_));
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(oldBrush_));
    DeleteObject(reinterpret_cast<HGDIOBJ>(pen_));
  }
}

void TCrossCursor::GetBounds(TPixelRect& r) {
  if (!HasView()) {
    r = {};
    return;
  }
  r = {FX - kArm, FY - kArm, FX + kArm + 1, FY + kArm + 1};
}

void TCrossCursor::DrawCross(bool visible, int32_t x, int32_t y, int32_t) {
  if (!visible || !pen_) return;
  // Both arms and the centre square in one call.
  const POINT points[] = {{x - kArm, y}, {x + kArm + 1, y}, {x, y - kArm}, {x, y + kArm + 1},
                          {x - 3, y - 3}, {x + 3, y - 3}, {x + 3, y + 3}, {x - 3, y + 3}, {x - 3, y - 3}};
  const DWORD counts[] = {2, 2, 5};
  PolyPolyline(reinterpret_cast<HDC>(Buffer()->Surface()), points, counts, 3);
}

void TCrossCursor::HintText(std::string& text) {
  text = "X = " + WorldText(FPos.At(1)) + "  Y = " + WorldText(FPos.At(2));
}

std::string WorldText(double value) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string s = buffer;
  for (char& c : s)
    if (c == '.') c = ',';
  if (s == "-0,00") s = "0,00";
  return s;
}
