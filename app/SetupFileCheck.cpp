// SetupFileCheck: one pass over the file, the headers first, then in large pieces.
#include "SetupFileCheck.h"

#include <windows.h>

#include "Heap.h"
#include "SetupFileDigest.h"
#include "UniqueHandle.h"

namespace {

constexpr DWORD PieceSize = 64 * 1024;

// Reads `size` bytes, all of them or fails.
bool ReadExactly(HANDLE file, unsigned char* buffer, DWORD size)
{
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
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
bool ReadThrough(HANDLE file, unsigned char* buffer, DWORD fileSize, DWORD trailerAt,
                 SetupFileDigest& digest, unsigned char (&trailer)[TrailerSize])
{
    for (DWORD at = HeaderReadSize; at < fileSize;) {
        DWORD piece = fileSize - at < PieceSize ? fileSize - at : PieceSize;
        if (!ReadExactly(file, buffer, piece))
            return false;
        digest.Update(buffer, piece);
        for (DWORD i = 0; i < TrailerSize; ++i) {
            if (trailerAt + i >= at && trailerAt + i < at + piece)
                trailer[i] = buffer[trailerAt + i - at];
        }
        at += piece;
    }
    return true;
}

// The headers first, for where the fields lie that the CRC leaves out, then the rest.
bool Verify(HANDLE file, unsigned char* buffer)
{
    DWORD high = 0;
    DWORD fileSize = GetFileSize(file, &high);
    if (fileSize == INVALID_FILE_SIZE || high != 0 || fileSize < HeaderReadSize + TrailerSize ||
        !ReadExactly(file, buffer, HeaderReadSize))
        return false;
    SetupFileLayout layout = ReadSetupFileLayout(buffer, HeaderReadSize);
    DWORD end = 0;
    if (!layout.valid || !StampedEnd(layout, fileSize, end) || end < HeaderReadSize + TrailerSize)
        return false;
    uint32_t storedChecksum = ReadLittleEndian32(buffer + layout.checksumOffset);
    DWORD trailerAt = end - TrailerSize;
    SetupFileDigest digest(layout, trailerAt);
    digest.Update(buffer, HeaderReadSize);
    unsigned char trailer[TrailerSize] = {};
    if (!ReadThrough(file, buffer, fileSize, trailerAt, digest, trailer))
        return false;
    for (DWORD i = 0; i < sizeof TrailerMark; ++i) {
        if (trailer[i] != TrailerMark[i])
            return false;
    }
    bool crcMatches = ReadLittleEndian32(trailer + sizeof TrailerMark) == digest.Crc();
    bool checksumMatches = storedChecksum == digest.PeChecksum(fileSize);
    return crcMatches && checksumMatches;
}

} // namespace

bool SetupFileIsIntact(const char* path)
{
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid())
        return false;
    auto* buffer = static_cast<unsigned char*>(AllocateBlock(PieceSize));
    bool intact = buffer && Verify(file.Get(), buffer);
    FreeBlock(buffer);
    return intact;
}

bool OwnFileIsIntact()
{
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return false;  // no path, or one cut short: nothing to check, so nothing to trust
    return SetupFileIsIntact(path);
}
