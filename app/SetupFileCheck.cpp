// SetupFileCheck: one pass over the file, the headers first, then in large pieces.
#include "app/SetupFileCheck.h"

#include <windows.h>

#include "support/Heap.h"
#include "support/OptionalFunction.h"
#include "support/SequentialFile.h"
#include "support/SetupFileDigest.h"
#include "support/UniqueHandle.h"

namespace {

constexpr SetupFileState Intact = SetupFileState::Intact;
constexpr SetupFileState Damaged = SetupFileState::Damaged;
constexpr SetupFileState Unreadable = SetupFileState::Unreadable;

// Reads `size` bytes: fewer than that is a file cut short, a failed read is the system's.
SetupFileState ReadExactly(HANDLE file, unsigned char* buffer, DWORD size)
{
    DWORD read = 0;
    if (!ReadFile(file, buffer, size, &read, nullptr))
        return Unreadable;
    return read == size ? Intact : Damaged;
}

// Where the stamped part ends: before the certificate table that signing appended, which
// must then run to the file's end; else at the file's end.
bool StampedEnd(const SetupFileLayout& layout, DWORD fileSize, DWORD& end)
{
    if (layout.certificateOffset == 0 && layout.certificateSize == 0) {
        end = fileSize;
        return true;
    }
    end = layout.certificateOffset;
    return end <= fileSize && fileSize - end == layout.certificateSize;
}

// Reads the rest of the file through the digest, and keeps the trailer as it goes by.
SetupFileState ReadThrough(HANDLE file, unsigned char* buffer, DWORD fileSize, DWORD trailerAt,
                           SetupFileDigest& digest, unsigned char (&trailer)[TrailerSize])
{
    for (DWORD at = HeaderReadSize; at < fileSize;) {
        DWORD piece = fileSize - at < ReadPieceSize ? fileSize - at : ReadPieceSize;
        SetupFileState state = ReadExactly(file, buffer, piece);
        if (state != Intact)
            return state;
        digest.Update(buffer, piece);
        for (DWORD i = 0; i < TrailerSize; ++i) {
            if (trailerAt + i >= at && trailerAt + i < at + piece)
                trailer[i] = buffer[trailerAt + i - at];
        }
        at += piece;
    }
    return Intact;
}

// The headers first, for where the fields lie that the CRC leaves out, then the rest.
SetupFileState Verify(HANDLE file, unsigned char* buffer)
{
    DWORD high = 0;
    DWORD fileSize = GetFileSize(file, &high);
    if (fileSize == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return Unreadable;
    if (high != 0 || fileSize < HeaderReadSize + TrailerSize)
        return Damaged;
    SetupFileState state = ReadExactly(file, buffer, HeaderReadSize);
    if (state != Intact)
        return state;
    SetupFileLayout layout = ReadSetupFileLayout(buffer, HeaderReadSize);
    DWORD end = 0;
    if (!layout.valid || !StampedEnd(layout, fileSize, end) || end < HeaderReadSize + TrailerSize)
        return Damaged;
    uint32_t storedChecksum = ReadLittleEndian32(buffer + layout.checksumOffset);
    DWORD trailerAt = end - TrailerSize;
    SetupFileDigest digest(layout, trailerAt);
    digest.Update(buffer, HeaderReadSize);
    unsigned char trailer[TrailerSize] = {};
    state = ReadThrough(file, buffer, fileSize, trailerAt, digest, trailer);
    if (state != Intact)
        return state;
    for (DWORD i = 0; i < sizeof TrailerMark; ++i) {
        if (trailer[i] != TrailerMark[i])
            return Damaged;
    }
    bool crcMatches = ReadLittleEndian32(trailer + sizeof TrailerMark) == digest.Crc();
    bool checksumMatches = storedChecksum == digest.PeChecksum(fileSize);
    return crcMatches && checksumMatches ? Intact : Damaged;
}

SetupFileState Check(HANDLE opened, DWORD& reason)
{
    FileHandle file(opened);
    reason = GetLastError();
    if (!file.IsValid())
        return Unreadable;
    auto* buffer = static_cast<unsigned char*>(AllocateBlock(ReadPieceSize));
    if (!buffer) {
        reason = ERROR_NOT_ENOUGH_MEMORY;
        return Unreadable;
    }
    SetupFileState state = Verify(file.Get(), buffer);
    reason = state == Unreadable ? GetLastError() : ERROR_SUCCESS;
    FreeBlock(buffer);
    return state;
}

// By the Unicode path where there is one: the ANSI path of a folder or name outside the
// code page holds "?" and names no file. Windows 95 and 98 answer the Unicode calls with
// failure; there the ANSI path is the only one, and it is whole.
HANDLE OpenOwnFile()
{
    auto moduleFileName =
        OptionalKernelFunction<decltype(::GetModuleFileNameW)>("GetModuleFileNameW");
    auto createFile = OptionalKernelFunction<decltype(::CreateFileW)>("CreateFileW");
    if (moduleFileName && createFile) {
        WCHAR path[MAX_PATH + 1];
        DWORD length = moduleFileName(nullptr, path, MAX_PATH + 1);
        if (length > 0 && length <= MAX_PATH)
            return createFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    }
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length >= sizeof path)
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
    if (length == 0 || length >= sizeof path)
        return INVALID_HANDLE_VALUE;
    return OpenForSequentialReading(path);
}

}  // namespace

bool SetupFileIsIntact(const char* path)
{
    DWORD reason;
    return Check(OpenForSequentialReading(path), reason) == Intact;
}

SetupFileState CheckOwnFile(DWORD& reason) { return Check(OpenOwnFile(), reason); }
