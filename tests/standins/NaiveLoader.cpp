// Loads the Rich Edit library by its bare name, as a careless program would: the
// control case that shows a planted library can be picked up at all.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return LoadLibraryA("riched20") ? 0 : 1; }
