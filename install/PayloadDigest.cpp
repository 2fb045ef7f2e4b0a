// PayloadDigest: the record is 8 bytes, the length and then the CRC-32, little-endian.
#include "install/PayloadDigest.h"

#include "support/Crc32.h"
#include "support/Heap.h"
#include "support/ResourceData.h"
#include "support/SetupFileDigest.h"
#include "support/UniqueHandle.h"

namespace {

const char DigestType[] = "BINSUM";
constexpr DWORD DigestSize = 8;
constexpr DWORD PieceSize = 64 * 1024;

// The file's length and CRC-32, read to its end.
bool Measure(const char* path, unsigned char* buffer, DWORD& length, uint32_t& crc)
{
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid())
        return false;
    Crc32 digest;
    length = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, PieceSize, &read, nullptr))
            return false;
        if (read == 0)
            break;
        digest.Update(buffer, read);
        length += read;
    }
    crc = digest.Value();
    return true;
}

} // namespace

bool FileMatchesPayloadDigest(const char* path, HMODULE module, const char* name)
{
    ResourceData record(module, name, DigestType);
    if (record.GetSize() != DigestSize) {
        SetLastError(ERROR_SUCCESS);  // a build fault, not the system's
        return false;
    }
    auto* buffer = static_cast<unsigned char*>(AllocateBlock(PieceSize));
    DWORD length = 0;
    uint32_t crc = 0;
    bool measured = buffer && Measure(path, buffer, length, crc);
    FreeBlock(buffer);
    if (!measured)
        return false;  // the system's reason stays in GetLastError
    if (length == ReadLittleEndian32(record.GetData()) &&
        crc == ReadLittleEndian32(record.GetData() + 4))
        return true;
    SetLastError(ERROR_SUCCESS);  // readable, but not what was built: no system reason
    return false;
}
