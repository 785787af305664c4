#include "tasks/CursorInput.h"

#include <charconv>
#include <string>

#include "tasks/TaskPlatform.h"

namespace {

bool accelSwitchedOff = false;

int SettingOr(const char* name, int fallback) {
  std::string text;
  if (!TaskPlatform().ReadMouseSetting(name, text)) return fallback;
  // An integer, optionally signed, with nothing after it.
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  int value = 0;
  auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last) return fallback;
  return value;
}

}  // namespace

TShiftState GetShiftState() {
  TTaskPlatform& p = TaskPlatform();
  TShiftState s;
  if (p.KeyDown(0x10)) s.Include(ssShift);
  if (p.KeyDown(0x11)) s.Include(ssCtrl);
  if (p.KeyDown(0x12)) s.Include(ssAlt);
  return s;
}

void MouseAccelOff() {
  TaskPlatform().SetMouseParams(0, 0, 0);
  accelSwitchedOff = true;
}

void MouseAccelRestore() {
  if (!accelSwitchedOff) return;
  int t1 = SettingOr("MouseThreshold1", 4);
  int t2 = SettingOr("MouseThreshold2", 0);
  int speed = SettingOr("MouseSpeed", 1);
  TaskPlatform().SetMouseParams(t1, t2, speed);
  accelSwitchedOff = false;
}

bool MouseAccelSwitchedOff() { return accelSwitchedOff; }

bool MouseMovePending(TPixelPoint& delta) {
  TTaskPlatform& p = TaskPlatform();
  delta = {};
  if (!p.MouseMoveQueued()) return false;
  TPixelPoint now = p.PointerPos();
  TPixelPoint last = p.LastMessagePos();
  delta = {now.X - last.X, now.Y - last.Y};
  return delta.X != 0 || delta.Y != 0;
}
