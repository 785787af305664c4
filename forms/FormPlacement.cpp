#include "forms/FormPlacement.h"

namespace placement {

void PullBack(int32_t& left, int32_t& top, int32_t areaWidth, int32_t areaHeight, int32_t border) {
  if (left > areaWidth - border - 15) left = areaWidth - border - 50;
  if (top > areaHeight - border - 15) top = areaHeight - border - 50;
}

TRect32 Centered(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight) {
  if (screenWidth < width) width = screenWidth - 10;
  if (screenHeight < height) height = screenHeight - 10;
  int32_t left = (screenWidth - width) / 2, top = (screenHeight - height) / 2;
  return TRect32{left, top, left + width, top + height};
}

TRect32 MoveArea(int32_t clientWidth, int32_t clientHeight, bool leaveSpaceForScrollBars, int32_t scrollButtonSize) {
  TRect32 a{1, 1, clientWidth - 1, clientHeight - 1};
  if (leaveSpaceForScrollBars) {
    a.Right -= scrollButtonSize;
    a.Bottom -= scrollButtonSize;
  }
  return a;
}

TAnchoring Anchor(TRect32 r, const TRect32& a) {
  const int32_t w = r.Width(), h = r.Height();
  if (r.Right > a.Right) {
    r.Right = a.Right;
    r.Left = a.Right - w;
  }
  if (r.Left < a.Left) {
    r.Left = a.Left;
    r.Right = a.Left + w;
  }
  if (r.Bottom > a.Bottom) {
    r.Bottom = a.Bottom;
    r.Top = a.Bottom - h;
  }
  if (r.Top < a.Top) {
    r.Top = a.Top;
    r.Bottom = a.Top + h;
  }
  bool top = (r.Top + r.Bottom) / 2 < a.Bottom / 2 || r.Bottom > a.Bottom;
  bool left = (r.Left + r.Right) / 2 < a.Right / 2 || r.Right > a.Right;
  return TAnchoring{r, !left, !top};
}

}  // namespace placement
