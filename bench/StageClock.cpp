// A window hook library that times the setup's install from inside it: set on the setup's
// thread by the benchmark before Finish is pressed, it rebinds the setup's imports of the
// calls that mark the install's stages (the folder looked for, files made, flushed,
// renamed and removed), the slot into which the setup bound the shell's ShellExecuteExA,
// and the shell's own import of CreateProcessW, and notes the performance counter as each
// call starts and returns.
// Under Wine that counter is one clock for every process, so the benchmark reads the
// notes against the moment it pressed Finish. The notes stay in memory while the setup
// works, and are written once the hand-off has returned, to the file that
// KORVANE_STAGE_RECORD names: one call a line, "name|path|start|end" in counter ticks.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "driver/ImportRebinding.h"

namespace {

struct Note {
    const char* name;
    char path[MAX_PATH];
    LONGLONG start;
    LONGLONG end;
};
// More than an install makes: a re-install over a previous set makes about a hundred.
constexpr int MaxNotes = 512;
Note notes[MaxNotes];
int noteCount;

LONGLONG Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// A call that has started; its end is noted when the scope ends.
class Timed {
public:
    Timed(const char* name, const char* path)
        : note(noteCount < MaxNotes ? &notes[noteCount++] : nullptr)
    {
        if (!note)
            return;
        note->name = name;
        lstrcpynA(note->path, path ? path : "", MAX_PATH);
        note->start = Ticks();
    }
    ~Timed()
    {
        if (note)
            note->end = Ticks();
    }
    Timed(const Timed&) = delete;
    Timed& operator=(const Timed&) = delete;

private:
    Note* note;
};

void WriteNotes()
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KORVANE_STAGE_RECORD", path, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    for (int i = 0; i < noteCount; ++i) {
        char line[MAX_PATH + 96];
        int size = std::snprintf(line, sizeof line, "%s|%s|%lld|%lld\r\n", notes[i].name,
                                 notes[i].path, notes[i].start, notes[i].end);
        DWORD written;
        WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    }
    CloseHandle(file);
}

HANDLE WINAPI ClockFindFirstFileA(LPCSTR path, LPWIN32_FIND_DATAA found)
{
    Timed timed("FindFirstFileA", path);
    return FindFirstFileA(path, found);
}

BOOL WINAPI ClockCreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security)
{
    Timed timed("CreateDirectoryA", path);
    return CreateDirectoryA(path, security);
}

BOOL WINAPI ClockRemoveDirectoryA(LPCSTR path)
{
    Timed timed("RemoveDirectoryA", path);
    return RemoveDirectoryA(path);
}

BOOL WINAPI ClockMoveFileA(LPCSTR from, LPCSTR to)
{
    Timed timed("MoveFileA", from);
    return MoveFileA(from, to);
}

BOOL WINAPI ClockDeleteFileA(LPCSTR path)
{
    Timed timed("DeleteFileA", path);
    return DeleteFileA(path);
}

BOOL WINAPI ClockSetFileAttributesA(LPCSTR path, DWORD attributes)
{
    Timed timed("SetFileAttributesA", path);
    return SetFileAttributesA(path, attributes);
}

HANDLE WINAPI ClockCreateFileA(LPCSTR path, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE model)
{
    Timed timed("CreateFileA", path);
    return CreateFileA(path, access, share, security, disposition, flags, model);
}

BOOL WINAPI ClockFlushFileBuffers(HANDLE file)
{
    Timed timed("FlushFileBuffers", nullptr);
    return FlushFileBuffers(file);
}

const Rebinding Rebindings[] = {
    {"FindFirstFileA", reinterpret_cast<FARPROC>(ClockFindFirstFileA)},
    {"CreateDirectoryA", reinterpret_cast<FARPROC>(ClockCreateDirectoryA)},
    {"RemoveDirectoryA", reinterpret_cast<FARPROC>(ClockRemoveDirectoryA)},
    {"MoveFileA", reinterpret_cast<FARPROC>(ClockMoveFileA)},
    {"DeleteFileA", reinterpret_cast<FARPROC>(ClockDeleteFileA)},
    {"SetFileAttributesA", reinterpret_cast<FARPROC>(ClockSetFileAttributesA)},
    {"CreateFileA", reinterpret_cast<FARPROC>(ClockCreateFileA)},
    {"FlushFileBuffers", reinterpret_cast<FARPROC>(ClockFlushFileBuffers)},
};

// The process the shell starts, noted as NSIS's Exec makes the same call.
BOOL WINAPI ClockCreateProcessW(LPCWSTR application, LPWSTR commandLine,
                                LPSECURITY_ATTRIBUTES processAttributes,
                                LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags,
                                LPVOID environment, LPCWSTR directory, LPSTARTUPINFOW startup,
                                LPPROCESS_INFORMATION information)
{
    Timed timed("CreateProcessW", nullptr);
    return CreateProcessW(application, commandLine, processAttributes, threadAttributes, inherit,
                          flags, environment, directory, startup, information);
}

const Rebinding ShellRebindings[] = {
    {"CreateProcessW", reinterpret_cast<FARPROC>(ClockCreateProcessW)},
};

// The shell's own function, which the setup's slot held.
decltype(&::ShellExecuteExA) shellExecute;

// The hand-off ends the install: the notes are written once it has returned.
BOOL WINAPI ClockShellExecuteExA(SHELLEXECUTEINFOA* launch)
{
    BOOL started;
    {
        Timed timed("ShellExecuteExA", launch->lpFile);
        started = shellExecute(launch);
    }
    WriteNotes();
    return started;
}

// The setup binds the functions it loads at run time into slots of its own writable data:
// the slot that holds the shell's ShellExecuteExA is found there by its value.
void RebindShellSlot()
{
    HMODULE shell = GetModuleHandleA("shell32.dll");
    FARPROC target = shell ? GetProcAddress(shell, "ShellExecuteExA") : nullptr;
    if (!target)
        return;
    RebindImports(ShellRebindings, shell);
    shellExecute = reinterpret_cast<decltype(shellExecute)>(reinterpret_cast<void*>(target));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE))
            continue;
        auto* slot = reinterpret_cast<FARPROC*>(base + section->VirtualAddress);
        for (DWORD at = 0; at + sizeof *slot <= section->Misc.VirtualSize; at += sizeof *slot, ++slot) {
            if (*slot == target)
                RewriteSlot(slot, reinterpret_cast<FARPROC>(ClockShellExecuteExA));
        }
    }
}

} // namespace

// The benchmark unhooks right after its first message has been through here: the library
// stays loaded, since the setup's slots now lead into it.
extern "C" __declspec(dllexport) LRESULT CALLBACK StageClockHook(int code, WPARAM wParam,
                                                                 LPARAM lParam)
{
    static bool rebound = false;
    if (!rebound) {
        rebound = true;
        HMODULE self;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCSTR>(&StageClockHook), &self);
        RebindImports(Rebindings);
        RebindShellSlot();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
