#pragma once
// TCrossCursor: the demo's crosshair, a task cursor in the buffered scheme.
// It draws two red arms of kArm pixels around its position into the cursor's
// buffer, so its drawing area (GetBounds) is the square around it rather
// than the whole view: a move repaints only the old and the new square. Its
// hint shows the world position ("X = 12,50  Y = 7,25").

#include <string>

#include "tasks/TaskCursor.h"

class TCrossCursor : public TTaskCursor {
public:
  static constexpr int32_t kArm = 12;

  explicit TCrossCursor(TTaskObj* task);
  ~TCrossCursor() override;

  void GetBounds(TPixelRect& r) override;

private:
  // The pen stays selected into the cursor's buffer for its lifetime.
  uintptr_t pen_ = 0, oldPen_ = 0, oldBrush_ = 0;
  void DrawCross(bool visible, int32_t x, int32_t y, int32_t tag);
  void HintText(std::string& text);
};

// A world coordinate as the demo shows it: two decimals, decimal comma.
std::string WorldText(double value);
