// A program that calls one USER32 function, for the import check to read when it is
// linked the ways that broke the setup: never run.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return MessageBoxA(nullptr, "import check", "import check", MB_OK);
}
