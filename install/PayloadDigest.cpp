// PayloadDigest: the file's length and CRC-32, measured in one pass.
#include "install/PayloadDigest.h"

#include "format/Crc32.h"
#include "format/PayloadRecord.h"
#include "support/Heap.h"
#include "support/ResourceData.h"
#include "support/SequentialFile.h"
#include "support/SystemMessage.h"

namespace {

// The file's length and CRC-32, read to its end; Windows' reason when it cannot be read.
DWORD Measure(const char* path, unsigned char* buffer, DWORD& length, uint32_t& crc)
{
    FileHandle file;
    if (DWORD reason = OpenForSequentialReading(path, file))
        return reason;
    Crc32 digest;
    length = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, ReadPieceSize, &read, nullptr))
            return GetLastError();
        if (read == 0)
            break;
        digest.Update(buffer, read);
        length += read;
    }
    crc = digest.Value();
    return ERROR_SUCCESS;
}

}  // namespace

DWORD CompareWithPayloadDigest(const char* path, HMODULE module, const char* name)
{
    ResourceData record(module, name, PayloadRecordType);
    if (record.GetSize() != PayloadRecordSize)
        return ContentFault;  // a build fault, not the system's
    auto* buffer = static_cast<unsigned char*>(AllocateBlock(ReadPieceSize));
    if (!buffer)
        return ERROR_NOT_ENOUGH_MEMORY;
    DWORD length = 0;
    uint32_t crc = 0;
    DWORD reason = Measure(path, buffer, length, crc);
    FreeBlock(buffer);
    if (reason != ERROR_SUCCESS)
        return reason;
    PayloadRecord recorded = ReadPayloadRecord(record.GetData());
    bool same = length == recorded.length && crc == recorded.crc;
    return same ? ERROR_SUCCESS : ContentFault;  // readable, but not what was built
}
