// How the setup's own file is checked, shared by the build (which stamps the file) and
// the setup (which checks it before it shows anything). The build appends a trailer, the
// mark "KVSF" and the CRC-32 of every byte before it with the PE checksum field and the
// certificate table's directory entry read as zeros, then sets the PE checksum. Signing
// appends the certificate table after the trailer and sets the checksum anew: the trailer
// stays valid, and the checksum, over the whole file, covers what the CRC leaves out.
// Plain C++ without Windows headers.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "support/Crc32.h"

constexpr unsigned char TrailerMark[4] = {'K', 'V', 'S', 'F'};
constexpr uint32_t TrailerSize = 8;  // the mark, then the CRC-32 (little-endian)
// The headers up to the section table lie within this many bytes of the file's start.
constexpr uint32_t HeaderReadSize = 1024;

// Where the fields that change after the stamp lie, read from the file's first bytes.
struct SetupFileLayout {
    bool valid = false;
    uint32_t checksumOffset = 0;          // the PE checksum field, 4 bytes
    uint32_t certificateEntryOffset = 0;  // the certificate table's directory entry, 8 bytes
    uint32_t certificateOffset = 0;       // the certificate table: a file offset, 0 when unsigned
    uint32_t certificateSize = 0;
};

SetupFileLayout ReadSetupFileLayout(const unsigned char* header, size_t size);

// Reads the file in order, in pieces of any size, and computes both the trailer's CRC-32
// (of the bytes before `stampedEnd`) and the PE checksum (of every byte).
class SetupFileDigest {
public:
    SetupFileDigest(const SetupFileLayout& layout, uint32_t stampedEnd)
        : layout(layout), stampedEnd(stampedEnd)
    {
    }

    void Update(const unsigned char* data, size_t size);
    uint32_t Crc() const { return crc.Value(); }
    // The PE checksum of a file of `fileSize` bytes, all of which went through Update.
    uint32_t PeChecksum(uint32_t fileSize) const;

private:
    void AddWord(uint32_t word);
    void AddByte(unsigned char byte);

    SetupFileLayout layout;
    uint32_t stampedEnd;
    uint32_t position = 0;
    Crc32 crc;
    uint64_t sum = 0;
    int pendingByte = -1;  // the low byte of a 16-bit word split between two pieces
};

uint32_t ReadLittleEndian32(const unsigned char* bytes);
