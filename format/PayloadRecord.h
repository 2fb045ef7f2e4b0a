// What the build records of each payload file as it must land on disk: its length and
// CRC-32, 4 bytes each, little-endian, in a resource of the type "BINSUM" under the
// payload's own name. The build writes the records; the setup reads each extracted file
// back against its record.
#pragma once

#include <stdint.h>

#include "format/LittleEndian.h"

inline constexpr char PayloadRecordType[] = "BINSUM";
constexpr uint32_t PayloadRecordSize = 8;

struct PayloadRecord {
    uint32_t length;
    uint32_t crc;
};

inline PayloadRecord ReadPayloadRecord(const unsigned char* bytes)
{
    return {ReadLittleEndian32(bytes), ReadLittleEndian32(bytes + 4)};
}

inline void WritePayloadRecord(const PayloadRecord& record, unsigned char* bytes)
{
    WriteLittleEndian32(bytes, record.length);
    WriteLittleEndian32(bytes + 4, record.crc);
}
