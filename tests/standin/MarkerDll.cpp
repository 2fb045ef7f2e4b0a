// A library planted where a careless loader would pick it up. When loaded it appends
// the loading program's path to "loaded.txt" beside itself, so a test can tell.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char mark[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, mark, MAX_PATH);
    while (length > 0 && mark[length - 1] != '\\')
        --length;
    lstrcpyA(mark + length, "loaded.txt");
    char program[MAX_PATH];
    DWORD programLength = GetModuleFileNameA(nullptr, program, MAX_PATH - 2);
    lstrcpyA(program + programLength, "\r\n");
    HANDLE file = CreateFileA(mark, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, program, programLength + 2, &written, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}
