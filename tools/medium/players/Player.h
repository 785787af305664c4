#pragma once
// The two stand-in players share one program body: a top-level window of the
// class the launcher looks for, showing the file given after the switches.
// The player ends when a WM_QUIT reaches its message loop (the launcher posts
// one to the window) or when its window is closed.

namespace demo {

struct PlayerKind {
  const wchar_t* programName;  // in the demo log
  const wchar_t* windowClass;  // exact: the launcher finds the player by it
  const wchar_t* title;        // Hungarian; the file name is appended
};

int RunPlayer(const PlayerKind& kind);

}  // namespace demo
