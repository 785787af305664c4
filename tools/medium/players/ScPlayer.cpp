// Stand-in tutorial player of the demo medium (Demo\scplayer.exe /s <file>).
#include <windows.h>

#include "Player.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return demo::RunPlayer({L"scplayer.exe", L"ScreenCamPlayerWndv3", L"Oktatóanyag-lejátszó"});
}
