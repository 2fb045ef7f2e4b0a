// A library planted where a careless loader would pick it up. When loaded it appends a
// line "<its own file name> <the loading program's path>" to "loaded.txt" beside itself,
// so a test can tell who loaded what. Copies of it stand in for any library name.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, self, MAX_PATH);
    DWORD folderLength = length;
    while (folderLength > 0 && self[folderLength - 1] != '\\')
        --folderLength;
    char line[2 * MAX_PATH + 4];
    lstrcpyA(line, self + folderLength);
    lstrcatA(line, " ");
    GetModuleFileNameA(nullptr, line + lstrlenA(line), MAX_PATH);
    lstrcatA(line, "\r\n");

    char mark[MAX_PATH + 16];
    lstrcpynA(mark, self, static_cast<int>(folderLength) + 1);
    lstrcatA(mark, "loaded.txt");
    HANDLE file = CreateFileA(mark, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, line, lstrlenA(line), &written, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}
