// How the setup's own file is stamped by the build and checked by the setup before it
// shows anything. The build appends a trailer, the mark "KVSF" and the CRC-32 of every
// byte before it with the PE checksum field and the certificate table's directory entry
// read as zeros, then sets the PE checksum. Signing appends the certificate table after
// the trailer and sets the checksum anew: the trailer stays valid, and the checksum, over
// the whole file, covers what the CRC leaves out. Plain C++ without Windows headers.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "format/Crc32.h"

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

// Where the stamped part of a file of `fileSize` bytes ends: before the certificate table
// that signing appended, which must run to the file's end; else at the file's end. 0 when
// the table lies elsewhere or the stamped part cannot hold the headers and the trailer.
uint32_t StampedEnd(const SetupFileLayout& layout, uint32_t fileSize);

// The trailer that the stamped part ends with, for the CRC-32 of the bytes before it.
void WriteTrailer(unsigned char (&trailer)[TrailerSize], uint32_t crc);
bool TrailerMatches(const unsigned char (&trailer)[TrailerSize], uint32_t crc);
// Whether a file ends with a trailer already, whatever its CRC.
bool EndsWithTrailer(const unsigned char* file, size_t size);

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
