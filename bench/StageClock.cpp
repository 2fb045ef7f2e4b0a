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

// Where a call's first argument is a path, its note keeps it.
const char* PathOf(LPCSTR path) { return path; }

template <class Other> const char* PathOf(Other) { return nullptr; }

// The one stand-in of every function the clock notes: the note under the function's
// name, around the call of the function itself.
template <const char* Name, auto Function> struct Clocked;

template <const char* Name, class Result, class First, class... Rest,
          Result(WINAPI* Function)(First, Rest...)>
struct Clocked<Name, Function> {
    static Result WINAPI Call(First first, Rest... rest)
    {
        Timed timed(Name, PathOf(first));
        return Function(first, rest...);
    }
};

template <const char* Name, auto Function> Rebinding Clock()
{
    return {Name, reinterpret_cast<FARPROC>(Clocked<Name, Function>::Call)};
}

constexpr char FindFirstFileName[] = "FindFirstFileA";
constexpr char CreateDirectoryName[] = "CreateDirectoryA";
constexpr char RemoveDirectoryName[] = "RemoveDirectoryA";
constexpr char MoveFileName[] = "MoveFileA";
constexpr char DeleteFileName[] = "DeleteFileA";
constexpr char SetFileAttributesName[] = "SetFileAttributesA";
constexpr char CreateFileName[] = "CreateFileA";
constexpr char FlushFileBuffersName[] = "FlushFileBuffers";
// The process the shell starts, noted as NSIS's Exec makes the same call.
constexpr char CreateProcessName[] = "CreateProcessW";

// The setup's own calls that mark the stages.
const Rebinding Rebindings[] = {
    Clock<FindFirstFileName, ::FindFirstFileA>(),
    Clock<CreateDirectoryName, ::CreateDirectoryA>(),
    Clock<RemoveDirectoryName, ::RemoveDirectoryA>(),
    Clock<MoveFileName, ::MoveFileA>(),
    Clock<DeleteFileName, ::DeleteFileA>(),
    Clock<SetFileAttributesName, ::SetFileAttributesA>(),
    Clock<CreateFileName, ::CreateFileA>(),
    Clock<FlushFileBuffersName, ::FlushFileBuffers>(),
};

const Rebinding ShellRebindings[] = {
    Clock<CreateProcessName, ::CreateProcessW>(),
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
    for (WORD n = 0; n < nt->FileHeader.NumberOfSections; ++n, ++section) {
        if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE))
            continue;
        auto* slots = reinterpret_cast<FARPROC*>(base + section->VirtualAddress);
        for (DWORD i = 0; i < section->Misc.VirtualSize / sizeof *slots; ++i) {
            if (slots[i] == target)
                RewriteSlot(&slots[i], reinterpret_cast<FARPROC>(ClockShellExecuteExA));
        }
    }
}

// Rebinds once the hook is in: the library stays loaded from here on, since the setup's
// slots now lead into it, whenever the hook goes.
void StartClock()
{
    HMODULE self;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&StartClock), &self);
    RebindImports(Rebindings);
    RebindShellSlot();
}

}  // namespace

// The benchmark unhooks right after its first message has been through here.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    StageClockHook(int code, WPARAM wParam, LPARAM lParam)
{
    return RebindOnFirstMessage(StartClock, code, wParam, lParam);
}
