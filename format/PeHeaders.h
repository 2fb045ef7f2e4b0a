// PeHeaders: where the parts of a Windows program's headers lie, read from its first bytes:
// a file as read from the disk, or a module as Windows loaded it, whose headers lie at its
// base unchanged. Offsets count from the first byte given. Plain C++ without Windows
// headers, so that the build machine's stamper reads programs the same way.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct PeSection {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t fileOffset;
    uint32_t fileSize;
    uint32_t characteristics;
};

class PeHeaders {
public:
    // Data directory entries by index.
    static constexpr unsigned ImportDirectory = 1;
    static constexpr unsigned CertificateDirectory = 4;

    // `size` bytes are readable at `image`.
    PeHeaders(const unsigned char* image, size_t size);

    // False when the bytes do not hold a PE header whole, up to the end of its section table.
    bool IsValid() const { return sectionTable != 0; }
    // The "PE\0\0" signature, which the file header follows.
    uint32_t NtHeaders() const { return nt; }
    uint32_t TimeStampField() const { return nt + TimeStampAt; }
    uint32_t ChecksumField() const { return nt + ChecksumAt; }
    // Where data directory entry `index` lies (an address, then a size, 4 bytes each); 0
    // where the header has no such entry.
    uint32_t DirectoryEntry(unsigned index) const
    {
        return IsValid() && index < directoryCount ? directories + index * DirectoryEntrySize : 0;
    }
    // The entry's address (for the certificate table, a file offset) and size; 0 without it.
    uint32_t DirectoryAddress(unsigned index) const;
    uint32_t DirectorySize(unsigned index) const;
    unsigned SectionCount() const { return sectionCount; }
    // Section `n`, for n below SectionCount().
    PeSection Section(unsigned n) const;

private:
    // From the signature: the file header's time stamp, and the optional header's checksum.
    static constexpr uint32_t TimeStampAt = 8;
    static constexpr uint32_t ChecksumAt = 88;
    static constexpr uint32_t DirectoryEntrySize = 8;

    uint32_t U32(uint32_t at) const;

    const unsigned char* image;
    uint32_t nt = 0;
    uint32_t directories = 0;
    uint32_t directoryCount = 0;
    uint32_t sectionTable = 0;
    unsigned sectionCount = 0;
};
