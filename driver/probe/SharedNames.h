// Every name that two processes share: the variables through which a test or the benchmark
// tells a probe inside the setup, a stand-in or a test program what to do and where to
// write its record, the names a record's fields are written under, the probe libraries'
// files and hook procedure, and the exit code of a setup that a probe ended. Both sides
// include this header, so a name cannot drift on one of them.
#pragma once

#include <windows.h>

#include <iterator>

// The environment variables, each naming a file to write or saying what to do.
namespace Variable {
// The file calls the cutter saw, and its rule: "kill N" or "fail N" (the Nth call that
// changes a file), or "kill|fail|flip FUNCTION TEXT N" (the Nth call of FUNCTION whose
// first path holds TEXT).
inline constexpr char CutRecord[] = "KORVANE_CUT_RECORD";
inline constexpr char CutRule[] = "KORVANE_CUT";
// The texts the setup gave its Rich Edit controls.
inline constexpr char SpyRecord[] = "KORVANE_SPY_RECORD";
// The addresses the link recorder was asked to open.
inline constexpr char LinkRecord[] = "KORVANE_LINK_RECORD";
// The stage clock's notes of the install's calls.
inline constexpr char StageRecord[] = "KORVANE_STAGE_RECORD";
// The layout probe's report on the current page, and its picture of the header band.
inline constexpr char LayoutReport[] = "KORVANE_LAYOUT_REPORT";
inline constexpr char HeaderPicture[] = "KORVANE_HEADER_PICTURE";
// The Application Manager stand-in's record of its runs; set at all, it also shows what
// it would install (the demo on a display).
inline constexpr char StandInRecord[] = "KORVANE_STANDIN_RECORD";
inline constexpr char StandInShow[] = "KORVANE_STANDIN_SHOW";
// Set by CTest for the test programs: the screen DPI the prefix was set to, and the
// nearly full drive as Wine sees it.
inline constexpr char PrefixDpi[] = "KORVANE_PREFIX_DPI";
inline constexpr char FullDisk[] = "KORVANE_FULL_DISK";
}  // namespace Variable

// The probe libraries beside the test programs, each exporting one window hook procedure
// (WH_CALLWNDPROC) of this name, set on the setup's thread.
inline constexpr char HookProcedure[] = "ProbeHook";
namespace ProbeLibrary {
inline constexpr char FileCallCutter[] = "FileCallCutter.dll";
inline constexpr char TextSpy[] = "TextSpy.dll";
inline constexpr char LayoutProbe[] = "LayoutProbe.dll";
inline constexpr char StageClock[] = "StageClock.dll";
}  // namespace ProbeLibrary

// The exit code of a setup that the cutter ended, which no run of the setup gives itself.
constexpr DWORD CutExitCode = 0xC0DE;
// The cutter's actions at the call its rule names, and a rule that cuts nothing: the
// calls are only recorded. "flip" changes one byte of the file a matching flush is about
// to make durable, keeping its length: data gone bad on its way to the disk, unseen.
inline constexpr char CutKill[] = "kill";
inline constexpr char CutFail[] = "fail";
inline constexpr char CutFlip[] = "flip";
inline constexpr char CutNothing[] = "count 0";

// The calls that the cutter and the stage clock record, each under its platform name
// (CallName): a record line is "name|first path|second path" for the cutter,
// "name|start|end" (performance counter ticks) for the clock. CreateProcessW is the
// shell's, which NSIS's Exec makes too.
// clang-format off
enum class Call {
    FindFirstFileA, CreateDirectoryA, RemoveDirectoryA, MoveFileA, DeleteFileA,
    SetFileAttributesA, CreateFileA, WriteFile, FlushFileBuffers, CloseHandle,
    ShellExecuteExA, CreateProcessW,
};
inline constexpr const char* CallNames[] = {
    "FindFirstFileA", "CreateDirectoryA", "RemoveDirectoryA", "MoveFileA", "DeleteFileA",
    "SetFileAttributesA", "CreateFileA", "WriteFile", "FlushFileBuffers", "CloseHandle",
    "ShellExecuteExA", "CreateProcessW",
};
// clang-format on
static_assert(std::size(CallNames) == static_cast<size_t>(Call::CreateProcessW) + 1);
constexpr const char* CallName(Call call) { return CallNames[static_cast<int>(call)]; }

// The layout probe is asked by this registered message sent to the sheet; each line of
// its report starts with the kind of thing it describes: the screen, a control of the page
// or of the sheet, the header band, a Rich Edit's ground.
inline constexpr char LayoutProbeMessage[] = "KorvaneLayoutProbe";
namespace LayoutLine {
inline constexpr const char *Screen = "screen", *Page = "page", *Sheet = "sheet",
                            *Header = "header", *Ground = "ground";
}  // namespace LayoutLine

// The Application Manager stand-in's record: each run a line "run", then one line
// "field|value" a field (FieldName), then "end". Fields of an INI file start with "ini",
// fields of one of its cabinets with "cab"; flags read "1" or "0"; "show" is the show
// state the starter asked for (its number, or "default" when it named none), "cab.mscf"
// whether the cabinet begins with "MSCF".
// clang-format off
enum class StandInField {
    Run, End, Arguments, Directory, Show, Ini, IniExists, IniVersion, IniComponent, Cab,
    CabExists, CabMscf,
};
inline constexpr const char* StandInFieldNames[] = {
    "run", "end", "arguments", "directory", "show", "ini", "ini.exists", "ini.version",
    "ini.component", "cab", "cab.exists", "cab.mscf",
};
// clang-format on
static_assert(std::size(StandInFieldNames) == static_cast<size_t>(StandInField::CabMscf) + 1);
constexpr const char* FieldName(StandInField field)
{
    return StandInFieldNames[static_cast<int>(field)];
}
