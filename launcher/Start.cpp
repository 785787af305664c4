// The launcher's program entry.
#include <windows.h>

#include "launcher/LauncherPlatform.h"
#include "launcher/StartupProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();  // before anything can load a library
  DisableInputMethods();
  return RunStartupProgram();
}
