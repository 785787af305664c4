#pragma once
// The geometry rules of the library's forms, free of any window: where a
// restored form is pulled back to, where a centred one goes, and how a
// floating form is kept inside its move area and which edges it anchors to.
// Rectangles are left, top, right, bottom; divisions round toward zero.

#include <cstdint>

struct TRect32 {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect32&, const TRect32&) = default;
};

namespace placement {

// Keeps a restored form reachable in an area of areaWidth x areaHeight (its
// parent, or the screen): a left edge beyond areaWidth - border - 15 becomes
// areaWidth - border - 50, the top likewise. Negative edges stay.
void PullBack(int32_t& left, int32_t& top, int32_t areaWidth, int32_t areaHeight, int32_t border);

// The bounds of a form of width x height centred on the screen; a form
// larger than the screen first shrinks to the screen's size less 10.
TRect32 Centered(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight);

// A floating form's move area in its parent's client area (clientWidth x
// clientHeight): one pixel in from each edge, and on the right and at the
// bottom the scroll buttons' room when asked for.
TRect32 MoveArea(int32_t clientWidth, int32_t clientHeight, bool leaveSpaceForScrollBars, int32_t scrollButtonSize);

struct TAnchoring {
  TRect32 Bounds;  // the form's bounds pushed into the area
  bool Right;      // anchored right (else left)
  bool Bottom;     // anchored bottom (else top)
};

// Pushes bounds into area without resizing (a form too wide ends flush with
// the area's left edge, one too tall with its top) and anchors the form to
// the nearer edges, to the left and top edges when it does not fit.
TAnchoring Anchor(TRect32 bounds, const TRect32& area);

}  // namespace placement
