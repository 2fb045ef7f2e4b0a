// ExpandFile: LZ32 expands SZDD files and copies any other file unchanged. It does not
// check the length in the header (a truncated stream expands silently short), so the
// result is measured against it here.
#include "FileExpansion.h"

#include <windows.h>
#include <lzexpand.h>

#include "LateBound.h"
#include "UniqueHandle.h"

namespace {

const BYTE SzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr DWORD SzddHeaderSize = 14;
constexpr DWORD SzddLengthOffset = 10;
constexpr UINT LzOpenCreateWrite = OF_CREATE | OF_WRITE;

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
    return length >= 0;
}

// What the target holds once closed; -1 when it is not a file (Wine lets LZ32 "write"
// into a folder of the target's name, and a folder does not open as a file).
LONG WrittenLength(const char* target)
{
    FileHandle file(CreateFileA(target, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return -1;
    DWORD high = 0;
    DWORD low = GetFileSize(file.Get(), &high);
    if (low == INVALID_FILE_SIZE || high != 0 || low > static_cast<DWORD>(MAXLONG))
        return -1;
    return static_cast<LONG>(low);
}

// Copies or expands through LZ32; the handles are closed before the result is measured.
LONG Copy(const char* source, const char* target)
{
    OFSTRUCT open;
    LzHandle from(LateBound::LZOpenFileA(const_cast<char*>(source), &open, OF_READ));
    if (!from.IsValid())
        return -1;
    // OpenFile, not LZOpenFileA: when the target cannot be created, LZOpenFileA goes on
    // to create the compressed-name variant ("NAME.IN_") and leaves that file behind.
    LzHandle to(static_cast<INT>(OpenFile(target, &open, LzOpenCreateWrite)));
    if (!to.IsValid())
        return -1;
    return LateBound::LZCopy(from.Get(), to.Get());
}

} // namespace

bool ExpandFile(const char* source, const char* target)
{
    LONG expected = 0;
    if (!ExpectedLength(source, expected))
        return false;
    return Copy(source, target) == expected && WrittenLength(target) == expected;
}
