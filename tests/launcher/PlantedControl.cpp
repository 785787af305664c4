// Loads version.dll the ordinary way (the program's folder is searched first)
// and ends: the control of the planted-DLL test, which must see this load.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return LoadLibraryW(L"version.dll") ? 0 : 1; }
