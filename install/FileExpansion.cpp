// ExpandFile: LZ32 expands SZDD files and copies any other file unchanged. It does not
// check the length in the header (a truncated stream expands silently short), so the
// result is measured against it here. The source is opened once with CreateFileA and
// handed to LZ32 as a handle: LZOpenFileA and OpenFile keep the path in an OFSTRUCT, which
// holds only 128 characters, where Windows allows 260.
#include "install/FileExpansion.h"

#include <windows.h>
#include <lzexpand.h>

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

// A Win32 file handle as LZ32 takes it: LZ32 reads and writes through _lread/_lwrite,
// which take any handle of CreateFile.
HFILE AsLzFile(HANDLE file) { return static_cast<HFILE>(reinterpret_cast<INT_PTR>(file)); }

}  // namespace

// Each failure's reason is taken where it happens, before any handle is closed.
bool ExpandFile(const char* source, const char* target, DWORD& reason)
{
    FileHandle input;
    reason = OpenForSequentialReading(source, input);
    if (reason != ERROR_SUCCESS)
        return false;
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
    // LZInit answers a plain file with the handle itself and an SZDD file with an LZ
    // handle; either way LZClose closes the file, so the LZ handle owns it from here.
    LzHandle from(LateBound::LZInit(AsLzFile(input.Get())));
    if (!from.IsValid()) {
        reason = ContentFault;
        return false;
    }
    input.Release();
    SetLastError(ERROR_SUCCESS);  // a failed write leaves the system's reason here
    LONG copied = LateBound::LZCopy(from.Get(), AsLzFile(output.Get()));
    if (copied != expected) {
        reason = GetLastError();
        if (copied >= 0 || copied == LZERROR_UNKNOWNALG || reason == ERROR_SUCCESS)
            reason = ContentFault;  // the content is at fault, not the system
        return false;
    }
    // On the disk before it is published: a rename that survives a power cut must not
    // name a file whose data did not.
    if (FlushFileBuffers(output.Get()))
        return true;
    reason = GetLastError();
    return false;
}
