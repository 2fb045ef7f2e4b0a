// A window hook library that times the setup's install from inside it: set on the setup's
// thread by the benchmark before Finish is pressed, it rebinds the setup's imports of the
// calls that mark the install's stages (the folder looked for, files made, flushed,
// renamed and removed), the slot into which the setup bound the shell's ShellExecuteExA,
// and the shell's own import of CreateProcessW, and notes the performance counter as each
// call starts and returns.
// Under Wine that counter is one clock for every process, so the benchmark reads the
// notes against the moment it pressed Finish. The notes stay in memory while the setup
// works, and are written once the hand-off has returned, to the stage record
// (SharedNames.h): one call a line, "name|start|end" in counter ticks.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "bench/Clock.h"
#include "driver/probe/ImportRebinding.h"
#include "driver/probe/ProbeHook.h"
#include "driver/probe/RecordFile.h"
#include "driver/probe/SharedNames.h"

namespace {

struct Note {
    Call call;
    LONGLONG start;
    LONGLONG end;
};
std::vector<Note> notes;
// More than an install makes (a re-install over a previous set makes about a hundred):
// reserved, so that no note allocates while the setup works.
constexpr size_t ReservedNotes = 512;

// Runs `call`, noted under its name from its start to its return.
template <class Result, class Run> Result Noted(Call call, const Run& run)
{
    const size_t at = notes.size();
    notes.push_back({call, Ticks(), 0});
    const Result result = run();
    notes[at].end = Ticks();
    return result;
}

void WriteNotes()
{
    std::string lines;
    for (const Note& note : notes)
        lines +=
            RecordLine({CallName(note.call), std::to_string(note.start), std::to_string(note.end)});
    WriteRecord(Variable::StageRecord, lines, true);
}

// The one stand-in of every function the clock notes: the note under the function's
// name, around the call of the function itself.
template <Call Name, auto Function> struct Clocked;

template <Call Name, class Result, class... Parameters, Result(WINAPI* Function)(Parameters...)>
struct Clocked<Name, Function> {
    static Result WINAPI Run(Parameters... parameters)
    {
        return Noted<Result>(Name, [&] { return Function(parameters...); });
    }
};

template <Call Name, auto Function> Rebinding Clock()
{
    return {CallName(Name), reinterpret_cast<FARPROC>(Clocked<Name, Function>::Run)};
}

// The setup's own calls that mark the stages.
const Rebinding Rebindings[] = {
    Clock<Call::FindFirstFileA, ::FindFirstFileA>(),
    Clock<Call::CreateDirectoryA, ::CreateDirectoryA>(),
    Clock<Call::RemoveDirectoryA, ::RemoveDirectoryA>(),
    Clock<Call::MoveFileA, ::MoveFileA>(),
    Clock<Call::DeleteFileA, ::DeleteFileA>(),
    Clock<Call::SetFileAttributesA, ::SetFileAttributesA>(),
    Clock<Call::CreateFileA, ::CreateFileA>(),
    Clock<Call::FlushFileBuffers, ::FlushFileBuffers>(),
};

const Rebinding ShellRebindings[] = {
    Clock<Call::CreateProcessW, ::CreateProcessW>(),
};

// The shell's own function, which the setup's slot held.
decltype(&::ShellExecuteExA) shellExecute;

// The hand-off ends the install: the notes are written once it has returned.
BOOL WINAPI ClockShellExecuteExA(SHELLEXECUTEINFOA* launch)
{
    const BOOL started = Noted<BOOL>(Call::ShellExecuteExA, [&] { return shellExecute(launch); });
    WriteNotes();
    return started;
}

// The setup binds the functions it loads at run time into slots of its own writable data:
// the slot that holds the shell's ShellExecuteExA is found there by its value.
void RebindShellSlot()
{
    HMODULE shell = GetModuleHandleA("shell32.dll");
    FARPROC target = shell ? GetProcAddress(shell, CallName(Call::ShellExecuteExA)) : nullptr;
    if (!target)
        return;
    RebindImports(ShellRebindings, shell);
    shellExecute = reinterpret_cast<decltype(shellExecute)>(reinterpret_cast<void*>(target));
    RebindDataSlots(target, reinterpret_cast<FARPROC>(ClockShellExecuteExA));
}

// Rebinds once the hook is in: the library stays loaded from here on, since the setup's
// slots now lead into it, whenever the hook goes.
void StartClock()
{
    HMODULE self;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&StartClock), &self);
    notes.reserve(ReservedNotes);
    RebindImports(Rebindings);
    RebindShellSlot();
}

}  // namespace

// The benchmark unhooks right after its first message has been through here.
LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    return RebindOnFirstMessage(StartClock, code, wParam, lParam);
}
