#pragma once
// Waits that exist only for a test's sake (how long to wait for a window to
// appear, for a child program to write its line, ...) scale by one factor, so
// that the same tests pass on a machine many times slower than this one (the
// emulated 32-bit run sets KORVEX_TIME_SCALE). The product's own pauses are
// never scaled: tests check them with a fixed lower bound and a scaled upper
// bound.

#include <cstdlib>

// KORVEX_TIME_SCALE, at least 1 (1 when unset or unreadable).
inline double TestTimeScale() {
  static const double scale = [] {
    const char* v = std::getenv("KORVEX_TIME_SCALE");
    double d = v ? std::atof(v) : 1.0;
    return d >= 1.0 ? d : 1.0;
  }();
  return scale;
}

// A test-only wait of `ms` milliseconds, scaled.
inline int ScaledMs(int ms) { return static_cast<int>(ms * TestTimeScale()); }
// The same for the Windows calls' unsigned milliseconds (DWORD).
inline unsigned long ScaledMs(unsigned long ms) { return static_cast<unsigned long>(ms * TestTimeScale()); }
