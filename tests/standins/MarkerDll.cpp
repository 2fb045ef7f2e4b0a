// A library planted where a careless loader would pick it up. When loaded it appends a
// line "<its own file name> <the loading program's path>" to "loaded.txt" beside itself,
// so a test can tell who loaded what. Copies of it stand in for any library name.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    // Only kernel32's calls: a copy may stand in for any other library.
    char mark[MAX_PATH + 16], line[2 * MAX_PATH + 4];
    char* name = mark + GetModuleFileNameA(module, mark, MAX_PATH);
    while (name > mark && name[-1] != '\\')
        --name;
    lstrcpyA(line, name);
    lstrcatA(line, " ");
    GetModuleFileNameA(nullptr, line + lstrlenA(line), MAX_PATH);
    lstrcatA(line, "\r\n");
    lstrcpyA(name, "loaded.txt");  // beside itself
    HANDLE file = CreateFileA(mark, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, line, lstrlenA(line), &written, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}
