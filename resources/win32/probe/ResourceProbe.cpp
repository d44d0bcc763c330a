// A GUI program that carries the program's Windows resources and does
// nothing: the Windows tests read its manifest, version and icon as data.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
