// PayloadDigest: the record is 8 bytes, the length and then the CRC-32, little-endian.
#include "install/PayloadDigest.h"

#include "support/Crc32.h"
#include "support/Heap.h"
#include "support/ResourceData.h"
#include "support/SequentialFile.h"
#include "support/SetupFileDigest.h"
#include "support/SystemMessage.h"
#include "support/UniqueHandle.h"

namespace {

const char DigestType[] = "BINSUM";
constexpr DWORD DigestSize = 8;

// The file's length and CRC-32, read to its end; Windows' reason when it cannot be read.
DWORD Measure(const char* path, unsigned char* buffer, DWORD& length, uint32_t& crc)
{
    FileHandle file(OpenForSequentialReading(path));
    if (!file.IsValid())
        return GetLastError();
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
    ResourceData record(module, name, DigestType);
    if (record.GetSize() != DigestSize)
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
    bool same = length == ReadLittleEndian32(record.GetData()) &&
                crc == ReadLittleEndian32(record.GetData() + 4);
    return same ? ERROR_SUCCESS : ContentFault;  // readable, but not what was built
}
