// A window hook library that stands between the setup and the system's file calls: set on
// the setup's thread by a test, it rebinds the setup's imports of the calls that change
// files, records each such call in the file that KORVANE_CUT_RECORD names, and at the call
// that KORVANE_CUT names ends the process right there, as a crash or a power cut would, or
// fails the call as Windows might. KORVANE_CUT reads "kill N" or "fail N" (the Nth call
// that changes a file), or "kill|fail FUNCTION TEXT N" (the Nth call of FUNCTION whose
// first path holds TEXT).
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "driver/ImportRebinding.h"

namespace {

// The exit code of a process ended at a cut, which no run of the setup gives itself.
constexpr UINT CutExitCode = 0xC0DE;

char action[8], function[32], text[MAX_PATH];
int occurrence, callCount, matchCount;

// Files opened to be changed, for the record of their writes and flushes; the setup holds
// only a few open at once.
struct OpenFile {
    HANDLE handle;
    char path[MAX_PATH];
} openFiles[16];

void Record(const char* name, const char* first, const char* second)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KORVANE_CUT_RECORD", path, MAX_PATH);
    HANDLE file = length && length < MAX_PATH
                      ? CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                      : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[3 * MAX_PATH];
    int size = snprintf(line, sizeof line, "%s|%s|%s\r\n", name, first, second ? second : "");
    DWORD written;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

// Counts and records one call that changes a file; true when it must fail, and never
// returns when the process must end before it.
bool Cut(const char* name, const char* first, const char* second = nullptr)
{
    ++callCount;
    Record(name, first, second);
    bool matches = function[0] ? strcmp(name, function) == 0 && strstr(first, text) &&
                                     ++matchCount == occurrence
                               : callCount == occurrence;
    if (matches && strcmp(action, "kill") == 0)
        TerminateProcess(GetCurrentProcess(), CutExitCode);
    if (!matches || strcmp(action, "fail") != 0)
        return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

OpenFile* Find(HANDLE handle)
{
    for (OpenFile& open : openFiles) {
        if (open.handle == handle)
            return &open;
    }
    return nullptr;
}

BOOL WINAPI CutCreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security)
{
    return !Cut("CreateDirectoryA", path) && CreateDirectoryA(path, security);
}

BOOL WINAPI CutRemoveDirectoryA(LPCSTR path)
{
    return !Cut("RemoveDirectoryA", path) && RemoveDirectoryA(path);
}

BOOL WINAPI CutMoveFileA(LPCSTR from, LPCSTR to)
{
    return !Cut("MoveFileA", from, to) && MoveFileA(from, to);
}

BOOL WINAPI CutDeleteFileA(LPCSTR path) { return !Cut("DeleteFileA", path) && DeleteFileA(path); }

BOOL WINAPI CutSetFileAttributesA(LPCSTR path, DWORD attributes)
{
    return !Cut("SetFileAttributesA", path) && SetFileAttributesA(path, attributes);
}

// Only an open that may create, empty or write a file changes it.
HANDLE WINAPI CutCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD flags, HANDLE model)
{
    bool changes = disposition != OPEN_EXISTING || (access & (GENERIC_WRITE | FILE_WRITE_DATA));
    if (changes && Cut("CreateFileA", path))
        return INVALID_HANDLE_VALUE;
    HANDLE file = CreateFileA(path, access, share, security, disposition, flags, model);
    OpenFile* free = Find(nullptr);
    if (changes && file != INVALID_HANDLE_VALUE && free) {
        free->handle = file;
        lstrcpynA(free->path, path, MAX_PATH);
    }
    return file;
}

BOOL WINAPI CutWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                         LPOVERLAPPED overlapped)
{
    OpenFile* open = file ? Find(file) : nullptr;
    return !(open && Cut("WriteFile", open->path)) &&
           WriteFile(file, data, size, written, overlapped);
}

BOOL WINAPI CutFlushFileBuffers(HANDLE file)
{
    OpenFile* open = file ? Find(file) : nullptr;
    return !Cut("FlushFileBuffers", open ? open->path : "?") && FlushFileBuffers(file);
}

BOOL WINAPI CutCloseHandle(HANDLE handle)
{
    if (OpenFile* open = handle ? Find(handle) : nullptr)
        open->handle = nullptr;
    return CloseHandle(handle);
}

const Rebinding Rebindings[] = {
    {"CreateDirectoryA", reinterpret_cast<FARPROC>(CutCreateDirectoryA)},
    {"RemoveDirectoryA", reinterpret_cast<FARPROC>(CutRemoveDirectoryA)},
    {"MoveFileA", reinterpret_cast<FARPROC>(CutMoveFileA)},
    {"DeleteFileA", reinterpret_cast<FARPROC>(CutDeleteFileA)},
    {"SetFileAttributesA", reinterpret_cast<FARPROC>(CutSetFileAttributesA)},
    {"CreateFileA", reinterpret_cast<FARPROC>(CutCreateFileA)},
    {"WriteFile", reinterpret_cast<FARPROC>(CutWriteFile)},
    {"FlushFileBuffers", reinterpret_cast<FARPROC>(CutFlushFileBuffers)},
    {"CloseHandle", reinterpret_cast<FARPROC>(CutCloseHandle)},
};

void StartCutting()
{
    char rule[2 * MAX_PATH] = "";
    GetEnvironmentVariableA("KORVANE_CUT", rule, sizeof rule);
    if (sscanf(rule, "%7s %31s %259s %d", action, function, text, &occurrence) != 4) {
        function[0] = '\0';
        sscanf(rule, "%7s %d", action, &occurrence);
    }
    RebindImports(Rebindings);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    CutCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    return RebindOnFirstMessage(StartCutting, code, wParam, lParam);
}
