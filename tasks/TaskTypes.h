#pragma once
// Value types of the interactive task framework: world points, pixel points
// and rectangles, and the snapping rule. No <windows.h>: the task logic also
// builds natively.
//
// A world point holds three coordinates indexed 1..3 (At(i)); which of them a
// view shows horizontally, vertically and in depth comes from the view record
// (TCursorViewRec). Points compare byte for byte (Same), so -0.0 and 0.0
// differ and NaN equals itself, as the stored bytes do.

#include <cstdint>
#include <cstring>

#include "framework/Controls.h"

struct TWorldPoint {
  double C[3] = {0.0, 0.0, 0.0};

  // Coordinate i (1..3). Callers pass indices already checked against 1..3.
  double& At(int32_t i) { return C[i - 1]; }
  double At(int32_t i) const { return C[i - 1]; }

  static TWorldPoint Of(double x1, double x2, double x3) { return TWorldPoint{{x1, x2, x3}}; }
};

inline bool Same(const TWorldPoint& a, const TWorldPoint& b) { return std::memcmp(a.C, b.C, sizeof a.C) == 0; }

struct TPixelPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPixelPoint& a, const TPixelPoint& b) { return a.X == b.X && a.Y == b.Y; }
};

// Left and top edges inside, right and bottom edges outside.
struct TPixelRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  bool Empty() const { return Right <= Left || Bottom <= Top; }
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool Contains(TPixelPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TPixelRect& a, const TPixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
};

// The smallest rectangle holding both; an empty rectangle does not count.
TPixelRect UnionRect(const TPixelRect& a, const TPixelRect& b);

// x / step taken to the nearest integer (halves to the even one), times step.
// A step of 0 or one that is not finite, and a quotient whose magnitude is
// 2^53 or more (or not finite), leave x unchanged: such a grid cannot move
// the coordinate, and dividing by it must not poison the position.
double Snapped(double x, double step);

// The three bits of a shift state the framework passes on (Shift 1, Alt 2,
// Ctrl 4).
inline bool HasCtrl(TShiftState s) { return s.Contains(ssCtrl); }
inline bool HasAlt(TShiftState s) { return s.Contains(ssAlt); }
