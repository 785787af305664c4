// The launcher's program entry.
#include <windows.h>

#include "launcher/StartupProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunStartupProgram(); }
