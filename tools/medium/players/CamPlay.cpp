// Stand-in video player of the demo medium (Demo\camplay.exe /E /M <file>).
#include <windows.h>

#include "Player.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return demo::RunPlayer({L"camplay.exe", L"Camtasia Player", L"Videólejátszó"});
}
