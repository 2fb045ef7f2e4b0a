// A probe library that stands between the setup and the system's file calls: set on the
// setup's thread by a test, it rebinds the setup's imports of the calls that change files,
// records each such call in the cut record, and at the call that the cut rule names
// (SharedNames.h) ends the process right there, as a crash or a power cut would, fails
// the call as Windows might, or changes a byte of the file a flush is about to make durable.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "driver/probe/ImportRebinding.h"
#include "driver/probe/ProbeHook.h"
#include "driver/probe/RecordFile.h"
#include "driver/probe/SharedNames.h"

namespace {

char action[8], function[32], text[MAX_PATH];
int occurrence, callCount, matchCount;
bool flipDue;

// Files opened to be changed, for the record of their writes and flushes; the setup holds
// only a few open at once.
struct OpenFile {
    HANDLE handle;
    char path[MAX_PATH];
} openFiles[16];

// Counts and records one call that changes a file; true when it must fail, and never
// returns when the process must end before it.
bool Cut(Call call, const char* first, const char* second = nullptr)
{
    ++callCount;
    WriteRecord(Variable::CutRecord, RecordLine({CallName(call), first, second ? second : ""}));
    bool matches = function[0] ? strcmp(CallName(call), function) == 0 && strstr(first, text) &&
                                     ++matchCount == occurrence
                               : callCount == occurrence;
    if (matches && strcmp(action, CutKill) == 0)
        TerminateProcess(GetCurrentProcess(), CutExitCode);
    flipDue = matches && strcmp(action, CutFlip) == 0;
    if (!matches || strcmp(action, CutFail) != 0)
        return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

// Inverts the file's middle byte through the setup's own handle and puts the file position
// back: the length stays, the bytes no longer do.
void FlipMiddleByte(HANDLE file)
{
    const DWORD position = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
    const DWORD middle = GetFileSize(file, nullptr) / 2;
    BYTE byte = 0;
    DWORD done = 0;
    SetFilePointer(file, middle, nullptr, FILE_BEGIN);
    if (ReadFile(file, &byte, sizeof byte, &done, nullptr) && done == sizeof byte) {
        byte ^= 0xFF;
        SetFilePointer(file, middle, nullptr, FILE_BEGIN);
        WriteFile(file, &byte, sizeof byte, &done, nullptr);
    }
    SetFilePointer(file, position, nullptr, FILE_BEGIN);
}

OpenFile* Find(HANDLE handle)
{
    for (OpenFile& open : openFiles)
        if (open.handle == handle)
            return &open;
    return nullptr;
}

BOOL WINAPI CutCreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security)
{
    return !Cut(Call::CreateDirectoryA, path) && CreateDirectoryA(path, security);
}

BOOL WINAPI CutRemoveDirectoryA(LPCSTR path)
{
    return !Cut(Call::RemoveDirectoryA, path) && RemoveDirectoryA(path);
}

BOOL WINAPI CutMoveFileA(LPCSTR from, LPCSTR to)
{
    return !Cut(Call::MoveFileA, from, to) && MoveFileA(from, to);
}

BOOL WINAPI CutDeleteFileA(LPCSTR path)
{
    return !Cut(Call::DeleteFileA, path) && DeleteFileA(path);
}

BOOL WINAPI CutSetFileAttributesA(LPCSTR path, DWORD attributes)
{
    return !Cut(Call::SetFileAttributesA, path) && SetFileAttributesA(path, attributes);
}

// Only an open that may create, empty or write a file changes it.
HANDLE WINAPI CutCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD flags, HANDLE model)
{
    bool changes = disposition != OPEN_EXISTING || (access & (GENERIC_WRITE | FILE_WRITE_DATA));
    if (changes && Cut(Call::CreateFileA, path))
        return INVALID_HANDLE_VALUE;
    // A byte can be flipped only where it can be read.
    if (changes && strcmp(action, CutFlip) == 0)
        access |= GENERIC_READ;
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
    return !(open && Cut(Call::WriteFile, open->path)) &&
           WriteFile(file, data, size, written, overlapped);
}

BOOL WINAPI CutFlushFileBuffers(HANDLE file)
{
    OpenFile* open = file ? Find(file) : nullptr;
    const bool fails = Cut(Call::FlushFileBuffers, open ? open->path : "?");
    if (flipDue)
        FlipMiddleByte(file);
    return !fails && FlushFileBuffers(file);
}

BOOL WINAPI CutCloseHandle(HANDLE handle)
{
    if (OpenFile* open = handle ? Find(handle) : nullptr)
        open->handle = nullptr;
    return CloseHandle(handle);
}

const Rebinding Rebindings[] = {
    {CallName(Call::CreateDirectoryA), reinterpret_cast<FARPROC>(CutCreateDirectoryA)},
    {CallName(Call::RemoveDirectoryA), reinterpret_cast<FARPROC>(CutRemoveDirectoryA)},
    {CallName(Call::MoveFileA), reinterpret_cast<FARPROC>(CutMoveFileA)},
    {CallName(Call::DeleteFileA), reinterpret_cast<FARPROC>(CutDeleteFileA)},
    {CallName(Call::SetFileAttributesA), reinterpret_cast<FARPROC>(CutSetFileAttributesA)},
    {CallName(Call::CreateFileA), reinterpret_cast<FARPROC>(CutCreateFileA)},
    {CallName(Call::WriteFile), reinterpret_cast<FARPROC>(CutWriteFile)},
    {CallName(Call::FlushFileBuffers), reinterpret_cast<FARPROC>(CutFlushFileBuffers)},
    {CallName(Call::CloseHandle), reinterpret_cast<FARPROC>(CutCloseHandle)},
};

void StartCutting()
{
    char rule[2 * MAX_PATH] = "";
    GetEnvironmentVariableA(Variable::CutRule, rule, sizeof rule);
    if (sscanf(rule, "%7s %31s %259s %d", action, function, text, &occurrence) != 4) {
        function[0] = '\0';
        sscanf(rule, "%7s %d", action, &occurrence);
    }
    RebindImports(Rebindings);
}

}  // namespace

LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    return RebindOnFirstMessage(StartCutting, code, wParam, lParam);
}
