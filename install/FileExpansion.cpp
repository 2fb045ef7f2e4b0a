// ExpandFile: LZ32 expands SZDD files and copies any other file unchanged. It does not
// check the length in the header (a truncated stream expands silently short), so the
// result is measured against it here.
#include "FileExpansion.h"

#include <windows.h>
#include <lzexpand.h>
#include <string.h>

#include "UniqueHandle.h"

namespace {

const BYTE SzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr DWORD SzddHeaderSize = 14;
constexpr DWORD SzddLengthOffset = 10;
// LZ32 reads a file shorter than the header as plain.
constexpr DWORD LzOpenCreateWrite = OF_CREATE | OF_WRITE;

// The length the expansion must give: the header's for SZDD, else the file's size.
bool ExpectedLength(const char* source, LONG& length)
{
    FileHandle file(CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    BYTE header[SzddHeaderSize];
    DWORD read = 0;
    DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE || !ReadFile(file.Get(), header, sizeof header, &read, nullptr))
        return false;
    if (read == SzddHeaderSize && memcmp(header, SzddMagic, sizeof SzddMagic) == 0) {
        DWORD stated;
        memcpy(&stated, header + SzddLengthOffset, sizeof stated);
        length = static_cast<LONG>(stated);
    } else {
        length = static_cast<LONG>(size);
    }
    return length >= 0;
}

} // namespace

bool ExpandFile(const char* source, const char* target)
{
    LONG expected = 0;
    if (!ExpectedLength(source, expected))
        return false;
    OFSTRUCT open;
    LzHandle from(LZOpenFileA(const_cast<char*>(source), &open, OF_READ));
    if (!from.IsValid())
        return false;
    LzHandle to(LZOpenFileA(const_cast<char*>(target), &open, LzOpenCreateWrite));
    if (!to.IsValid())
        return false;
    return LZCopy(from.Get(), to.Get()) == expected;
}
