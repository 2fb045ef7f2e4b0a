// SetupFileCheck: one pass over the file, the headers first, then in large pieces. Each
// step answers ERROR_SUCCESS, ContentFault for a file unlike the one built, or Windows'
// reason why it cannot be read.
#include "app/SetupFileCheck.h"

#include "format/LittleEndian.h"
#include "format/SetupFileStamp.h"
#include "support/Heap.h"
#include "support/OptionalFunction.h"
#include "support/SequentialFile.h"
#include "support/SystemMessage.h"

namespace {

// Reads `size` bytes: fewer than that is a file cut short.
DWORD ReadExactly(HANDLE file, unsigned char* buffer, DWORD size)
{
    DWORD read = 0;
    if (!ReadFile(file, buffer, size, &read, nullptr))
        return GetLastError();
    return read == size ? ERROR_SUCCESS : ContentFault;
}

// Reads the rest of the file through the digest, and keeps the trailer as it goes by.
DWORD ReadThrough(HANDLE file, unsigned char* buffer, DWORD fileSize, DWORD trailerAt,
                  SetupFileDigest& digest, unsigned char (&trailer)[TrailerSize])
{
    for (DWORD at = HeaderReadSize; at < fileSize;) {
        DWORD piece = fileSize - at < ReadPieceSize ? fileSize - at : ReadPieceSize;
        if (DWORD reason = ReadExactly(file, buffer, piece))
            return reason;
        digest.Update(buffer, piece);
        for (DWORD i = 0; i < TrailerSize; ++i) {
            if (trailerAt + i >= at && trailerAt + i < at + piece)
                trailer[i] = buffer[trailerAt + i - at];
        }
        at += piece;
    }
    return ERROR_SUCCESS;
}

// The headers first, for where the fields lie that the CRC leaves out, then the rest.
DWORD Verify(HANDLE file, unsigned char* buffer)
{
    DWORD high = 0;
    DWORD fileSize = GetFileSize(file, &high);
    if (fileSize == INVALID_FILE_SIZE) {
        DWORD reason = GetLastError();
        if (reason != NO_ERROR)
            return reason;
    }
    if (high != 0 || fileSize < HeaderReadSize + TrailerSize)
        return ContentFault;
    if (DWORD reason = ReadExactly(file, buffer, HeaderReadSize))
        return reason;
    SetupFileLayout layout = ReadSetupFileLayout(buffer, HeaderReadSize);
    DWORD end = layout.valid ? StampedEnd(layout, fileSize) : 0;
    if (end == 0)
        return ContentFault;
    uint32_t storedChecksum = ReadLittleEndian32(buffer + layout.checksumOffset);
    DWORD trailerAt = end - TrailerSize;
    SetupFileDigest digest(layout, trailerAt);
    digest.Update(buffer, HeaderReadSize);
    unsigned char trailer[TrailerSize] = {};
    if (DWORD reason = ReadThrough(file, buffer, fileSize, trailerAt, digest, trailer))
        return reason;
    bool crcMatches = TrailerMatches(trailer, digest.Crc());
    bool checksumMatches = storedChecksum == digest.PeChecksum(fileSize);
    return crcMatches && checksumMatches ? ERROR_SUCCESS : ContentFault;
}

// Checks the file that `opened` says was opened, or answers why it was not.
DWORD Check(DWORD opened, const FileHandle& file)
{
    if (opened != ERROR_SUCCESS)
        return opened;
    auto* buffer = static_cast<unsigned char*>(AllocateBlock(ReadPieceSize));
    if (!buffer)
        return ERROR_NOT_ENOUGH_MEMORY;
    DWORD reason = Verify(file.Get(), buffer);
    FreeBlock(buffer);
    return reason;
}

// By the Unicode path where there is one: the ANSI path of a folder or name outside the
// code page holds "?" and names no file. Windows 95 and 98 answer the Unicode calls with
// failure; there the ANSI path is the only one, and it is whole.
DWORD OpenOwnFile(FileHandle& file)
{
    auto moduleFileName =
        OptionalKernelFunction<decltype(::GetModuleFileNameW)>("GetModuleFileNameW");
    auto createFile = OptionalKernelFunction<decltype(::CreateFileW)>("CreateFileW");
    if (moduleFileName && createFile) {
        WCHAR path[MAX_PATH + 1];
        DWORD length = moduleFileName(nullptr, path, MAX_PATH + 1);
        if (length > 0 && length <= MAX_PATH) {
            file.Reset(createFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            return file.IsValid() ? ERROR_SUCCESS : GetLastError();
        }
    }
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0)
        return GetLastError();
    if (length >= sizeof path)
        return ERROR_FILENAME_EXCED_RANGE;
    return OpenForSequentialReading(path, file);
}

}  // namespace

bool SetupFileIsIntact(const char* path)
{
    FileHandle file;
    return Check(OpenForSequentialReading(path, file), file) == ERROR_SUCCESS;
}

DWORD CheckOwnFile()
{
    FileHandle file;
    return Check(OpenOwnFile(file), file);
}
