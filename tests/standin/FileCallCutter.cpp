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

namespace {

// The exit code of a process ended at a cut, which no run of the setup gives itself.
constexpr UINT CutExitCode = 0xC0DE;

struct Rule {
    char action[8] = "";
    char function[32] = "";
    char text[MAX_PATH] = "";
    int occurrence = 0;
};
Rule rule;
int callCount = 0;
int matchCount = 0;

// Handles of files opened to change them, and their paths, for the record of writes and
// flushes; the setup holds only a few open at once.
struct OpenFile {
    HANDLE handle;
    char path[MAX_PATH];
};
OpenFile openFiles[16];

void ReadRule()
{
    char text[2 * MAX_PATH] = "";
    GetEnvironmentVariableA("KORVANE_CUT", text, sizeof text);
    if (sscanf(text, "%7s %31s %259s %d", rule.action, rule.function, rule.text,
               &rule.occurrence) == 4)
        return;
    rule.function[0] = '\0';
    sscanf(text, "%7s %d", rule.action, &rule.occurrence);
}

void Record(const char* function, const char* first, const char* second)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KORVANE_CUT_RECORD", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[3 * MAX_PATH];
    int size = snprintf(line, sizeof line, "%s|%s|%s\r\n", function, first, second ? second : "");
    DWORD written;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

// Counts and records one call that changes a file; true when it must fail, and never
// returns when the process must end before it.
bool Cut(const char* function, const char* first, const char* second = nullptr)
{
    ++callCount;
    Record(function, first, second);
    bool matches = rule.function[0] == '\0'
                       ? callCount == rule.occurrence
                       : strcmp(function, rule.function) == 0 && strstr(first, rule.text) &&
                             ++matchCount == rule.occurrence;
    if (matches && strcmp(rule.action, "kill") == 0)
        TerminateProcess(GetCurrentProcess(), CutExitCode);
    if (matches && strcmp(rule.action, "fail") == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return true;
    }
    return false;
}

const char* PathOf(HANDLE handle)
{
    for (const OpenFile& open : openFiles) {
        if (open.handle == handle && handle)
            return open.path;
    }
    return nullptr;
}

BOOL WINAPI CutCreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security)
{
    return Cut("CreateDirectoryA", path) ? FALSE : CreateDirectoryA(path, security);
}

BOOL WINAPI CutRemoveDirectoryA(LPCSTR path)
{
    return Cut("RemoveDirectoryA", path) ? FALSE : RemoveDirectoryA(path);
}

BOOL WINAPI CutMoveFileA(LPCSTR from, LPCSTR to)
{
    return Cut("MoveFileA", from, to) ? FALSE : MoveFileA(from, to);
}

BOOL WINAPI CutDeleteFileA(LPCSTR path)
{
    return Cut("DeleteFileA", path) ? FALSE : DeleteFileA(path);
}

BOOL WINAPI CutSetFileAttributesA(LPCSTR path, DWORD attributes)
{
    return Cut("SetFileAttributesA", path) ? FALSE : SetFileAttributesA(path, attributes);
}

// Only an open that may create, empty or write a file changes it.
HANDLE WINAPI CutCreateFileA(LPCSTR path, DWORD access, DWORD share,
                             LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                             HANDLE model)
{
    bool changes = disposition != OPEN_EXISTING || (access & (GENERIC_WRITE | FILE_WRITE_DATA));
    if (changes && Cut("CreateFileA", path))
        return INVALID_HANDLE_VALUE;
    HANDLE file = CreateFileA(path, access, share, security, disposition, flags, model);
    for (OpenFile& open : openFiles) {
        if (changes && file != INVALID_HANDLE_VALUE && !open.handle) {
            open.handle = file;
            lstrcpynA(open.path, path, MAX_PATH);
            break;
        }
    }
    return file;
}

BOOL WINAPI CutWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                         LPOVERLAPPED overlapped)
{
    const char* path = PathOf(file);
    if (path && Cut("WriteFile", path))
        return FALSE;
    return WriteFile(file, data, size, written, overlapped);
}

BOOL WINAPI CutFlushFileBuffers(HANDLE file)
{
    const char* path = PathOf(file);
    if (Cut("FlushFileBuffers", path ? path : "?"))
        return FALSE;
    return FlushFileBuffers(file);
}

BOOL WINAPI CutCloseHandle(HANDLE handle)
{
    for (OpenFile& open : openFiles) {
        if (open.handle == handle && handle)
            open.handle = nullptr;
    }
    return CloseHandle(handle);
}

struct Rebinding {
    const char* name;
    FARPROC replacement;
};
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

// Rewrites every import slot of the setup's own module that holds one of the calls above.
void Rebind()
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         imports.VirtualAddress && library->Name; ++library) {
        for (auto* slot = reinterpret_cast<FARPROC*>(base + library->FirstThunk); *slot; ++slot) {
            for (const Rebinding& rebinding : Rebindings) {
                if (*slot != GetProcAddress(kernel, rebinding.name))
                    continue;
                DWORD was;
                VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);
                *slot = rebinding.replacement;
                VirtualProtect(slot, sizeof *slot, was, &was);
            }
        }
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK CutCallWndProc(int code, WPARAM wParam,
                                                                 LPARAM lParam)
{
    static bool rebound = false;
    if (!rebound) {
        rebound = true;
        ReadRule();
        Rebind();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
