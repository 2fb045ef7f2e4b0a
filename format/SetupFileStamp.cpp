// SetupFileStamp: the fields the stamp leaves out, the trailer, and the CRC-32 and the PE
// checksum of the file.
#include "format/SetupFileStamp.h"

#include "format/LittleEndian.h"
#include "format/PeHeaders.h"

namespace {

constexpr unsigned char TrailerMark[4] = {'K', 'V', 'S', 'F'};
constexpr uint32_t DirectoryEntrySize = 8;

bool Inside(uint32_t at, uint32_t start, uint32_t length)
{
    return at >= start && at - start < length;
}

}  // namespace

SetupFileLayout ReadSetupFileLayout(const unsigned char* header, size_t size)
{
    SetupFileLayout layout;
    PeHeaders headers(header, size);
    uint32_t entry = headers.DirectoryEntry(PeHeaders::CertificateDirectory);
    if (entry == 0)
        return layout;
    layout.checksumOffset = headers.ChecksumField();
    layout.certificateEntryOffset = entry;
    layout.certificateOffset = ReadLittleEndian32(header + entry);
    layout.certificateSize = ReadLittleEndian32(header + entry + 4);
    layout.valid = true;
    return layout;
}

uint32_t StampedEnd(const SetupFileLayout& layout, uint32_t fileSize)
{
    uint32_t end = fileSize;
    if (layout.certificateOffset != 0 || layout.certificateSize != 0) {
        end = layout.certificateOffset;
        if (end > fileSize || fileSize - end != layout.certificateSize)
            return 0;
    }
    return end >= HeaderReadSize + TrailerSize ? end : 0;
}

void WriteTrailer(unsigned char (&trailer)[TrailerSize], uint32_t crc)
{
    for (uint32_t i = 0; i < sizeof TrailerMark; ++i)
        trailer[i] = TrailerMark[i];
    WriteLittleEndian32(trailer + sizeof TrailerMark, crc);
}

bool TrailerMatches(const unsigned char (&trailer)[TrailerSize], uint32_t crc)
{
    return EndsWithTrailer(trailer, TrailerSize) &&
           ReadLittleEndian32(trailer + sizeof TrailerMark) == crc;
}

bool EndsWithTrailer(const unsigned char* file, size_t size)
{
    if (size < TrailerSize)
        return false;
    const unsigned char* mark = file + size - TrailerSize;
    for (uint32_t i = 0; i < sizeof TrailerMark; ++i) {
        if (mark[i] != TrailerMark[i])
            return false;
    }
    return true;
}

// A one's complement sum of 16-bit words: the carries are folded back in at the end.
void SetupFileDigest::AddWord(uint32_t word) { sum += word; }

void SetupFileDigest::AddByte(unsigned char byte)
{
    if (pendingByte < 0) {
        pendingByte = byte;
    } else {
        AddWord(static_cast<uint32_t>(pendingByte) | static_cast<uint32_t>(byte) << 8);
        pendingByte = -1;
    }
}

void SetupFileDigest::Update(const unsigned char* data, size_t size)
{
    uint32_t headerFieldsEnd = layout.certificateEntryOffset + DirectoryEntrySize;
    if (layout.checksumOffset + 4 > headerFieldsEnd)
        headerFieldsEnd = layout.checksumOffset + 4;
    size_t i = 0;
    // Byte by byte while the fields that the CRC and the checksum leave out may come.
    static const unsigned char zero = 0;
    for (; i < size && position < headerFieldsEnd; ++i, ++position) {
        unsigned char byte = Inside(position, layout.checksumOffset, 4) ? 0 : data[i];
        if (position < stampedEnd) {
            bool isEntry = Inside(position, layout.certificateEntryOffset, DirectoryEntrySize);
            crc.Update(isEntry ? &zero : &byte, 1);
        }
        AddByte(byte);
    }
    if (i == size)
        return;
    data += i;
    size -= i;
    if (position < stampedEnd)
        crc.Update(data, size < stampedEnd - position ? size : stampedEnd - position);
    size_t at = 0;
    if (pendingByte >= 0)
        AddByte(data[at++]);
    for (; at + 1 < size; at += 2)
        AddWord(data[at] | static_cast<uint32_t>(data[at + 1]) << 8);
    if (at < size)
        AddByte(data[at]);
    position += static_cast<uint32_t>(size);
}

uint32_t SetupFileDigest::PeChecksum(uint32_t fileSize) const
{
    uint64_t total = sum + (pendingByte >= 0 ? static_cast<uint32_t>(pendingByte) : 0);
    while (total >> 16)
        total = (total & 0xFFFF) + (total >> 16);
    return static_cast<uint32_t>(total) + fileSize;
}
