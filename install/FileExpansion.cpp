// ExpandFile: LZ32 expands SZDD files and copies any other file unchanged. It does not
// check the length in the header (a truncated stream expands silently short), so the
// result is measured against it here. The source is opened once with CreateFileA and
// handed to LZ32 as a handle: LZOpenFileA and OpenFile keep the path in an OFSTRUCT, which
// holds only 128 characters, where Windows allows 260. The expansion is read from LZ32 a
// large piece at a time and written here: Wine's LZCopy writes a thousand bytes a call, which
// costs a thousand calls a megabyte.
#include "install/FileExpansion.h"

#include <windows.h>
#include <lzexpand.h>

#include "support/Heap.h"
#include "support/LateBound.h"
#include "support/SequentialFile.h"
#include "support/SystemMessage.h"
#include "support/UniqueHandle.h"

namespace {

const BYTE SzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr DWORD SzddHeaderSize = 14;
constexpr DWORD SzddLengthOffset = 10;

// LZ32 answers failure with a negative LZERROR_ code; LZClose closes what it owns.
struct LzHandleTraits {
    using Type = INT;
    static Type Invalid() { return -1; }
    static bool IsValid(Type h) { return h >= 0; }
    static void Close(Type h) { LateBound::LZClose(h); }
};
using LzHandle = UniqueHandle<LzHandleTraits>;

// The length the expansion must give: the header's for SZDD, else the file's size. The
// file is left at its start, for LZ32 to read from there.
DWORD ExpectedLength(HANDLE file, LONG& length)
{
    BYTE header[SzddHeaderSize];
    DWORD read = 0;
    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE || !ReadFile(file, header, sizeof header, &read, nullptr) ||
        SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return GetLastError();
    bool isSzdd = read == SzddHeaderSize;
    for (DWORD i = 0; isSzdd && i < sizeof SzddMagic; ++i)
        isSzdd = header[i] == SzddMagic[i];
    if (isSzdd) {
        DWORD stated;
        CopyMemory(&stated, header + SzddLengthOffset, sizeof stated);
        length = static_cast<LONG>(stated);
    } else {
        length = static_cast<LONG>(size);
    }
    return length >= 0 ? ERROR_SUCCESS : ContentFault;
}

// A Win32 file handle as LZ32 takes it: LZ32 reads through _lread, which takes any handle
// of CreateFile.
HFILE AsLzFile(HANDLE file)
{
    return static_cast<HFILE>(reinterpret_cast<INT_PTR>(file));
}

// Writes what LZ32 expands from `from` into `output` until the stream ends; the bytes
// written, or a negative LZERROR_ code with `reason` set.
LONG Expand(INT from, HANDLE output, BYTE* piece, DWORD& reason)
{
    LONG copied = 0;
    for (;;) {
        INT got = LateBound::LZRead(from, reinterpret_cast<char*>(piece), ReadPieceSize);
        if (got < 0) {
            reason = ContentFault;  // LZ32 reads through handles it checked: the content
            return got;
        }
        if (got == 0)
            return copied;
        DWORD written = 0;
        if (!WriteFile(output, piece, static_cast<DWORD>(got), &written, nullptr)) {
            reason = GetLastError();
            return LZERROR_WRITE;
        }
        if (written != static_cast<DWORD>(got)) {
            reason = ERROR_HANDLE_DISK_FULL;  // short: no room for the rest
            return LZERROR_WRITE;
        }
        copied += got;
    }
}

} // namespace

// Each failure's reason is taken where it happens, before any handle is closed.
bool ExpandFile(const char* source, const char* target, DWORD& reason)
{
    FileHandle input(OpenForSequentialReading(source));
    if (!input.IsValid()) {
        reason = GetLastError();
        return false;
    }
    LONG expected = 0;
    reason = ExpectedLength(input.Get(), expected);
    if (reason != ERROR_SUCCESS)
        return false;
    FileHandle output(CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!output.IsValid()) {
        reason = GetLastError();
        return false;
    }
    HeapBlock piece(AllocateBlock(ReadPieceSize));
    if (!piece.IsValid()) {
        reason = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    // LZInit answers a plain file with the handle itself and an SZDD file with an LZ
    // handle; either way LZClose closes the file, so the LZ handle owns it from here.
    LzHandle from(LateBound::LZInit(AsLzFile(input.Get())));
    if (!from.IsValid()) {
        reason = ContentFault;
        return false;
    }
    input.Release();
    LONG copied = Expand(from.Get(), output.Get(), static_cast<BYTE*>(piece.Get()), reason);
    if (copied < 0)
        return false;
    if (copied != expected) {
        reason = ContentFault;  // cut short or running on: the content is at fault
        return false;
    }
    // On the disk before it is published: a rename that survives a power cut must not
    // name a file whose data did not.
    if (FlushFileBuffers(output.Get()))
        return true;
    reason = GetLastError();
    return false;
}
