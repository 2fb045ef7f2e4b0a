// SetupFileDigest: the PE header's layout, and the CRC-32 and PE checksum of the file.
#include "support/SetupFileDigest.h"

namespace {

constexpr uint32_t PeHeaderPointerOffset = 0x3C;
constexpr uint32_t PeSignature = 0x00004550;  // "PE\0\0"
constexpr uint32_t FileHeaderSize = 20;
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe32PlusMagic = 0x20B;
constexpr uint32_t ChecksumFieldOffset = 64;  // within the optional header, both kinds
constexpr uint32_t Pe32Directories = 96;
constexpr uint32_t Pe32PlusDirectories = 112;
constexpr uint32_t CertificateDirectory = 4;
constexpr uint32_t DirectoryEntrySize = 8;

bool Inside(uint32_t at, uint32_t start, uint32_t length)
{
    return at >= start && at - start < length;
}

}  // namespace

uint32_t ReadLittleEndian32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

SetupFileLayout ReadSetupFileLayout(const unsigned char* header, size_t size)
{
    SetupFileLayout layout;
    if (size < PeHeaderPointerOffset + 4)
        return layout;
    uint32_t pe = ReadLittleEndian32(header + PeHeaderPointerOffset);
    uint32_t optional = pe + 4 + FileHeaderSize;
    if (pe > size || size - pe < 4 + FileHeaderSize + 2 ||
        ReadLittleEndian32(header + pe) != PeSignature)
        return layout;
    uint16_t magic = static_cast<uint16_t>(header[optional] | header[optional + 1] << 8);
    if (magic != Pe32Magic && magic != Pe32PlusMagic)
        return layout;
    uint32_t directories = optional + (magic == Pe32Magic ? Pe32Directories : Pe32PlusDirectories);
    uint32_t entry = directories + CertificateDirectory * DirectoryEntrySize;
    if (entry + DirectoryEntrySize > size)
        return layout;
    layout.checksumOffset = optional + ChecksumFieldOffset;
    layout.certificateEntryOffset = entry;
    layout.certificateOffset = ReadLittleEndian32(header + entry);
    layout.certificateSize = ReadLittleEndian32(header + entry + 4);
    layout.valid = true;
    return layout;
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
