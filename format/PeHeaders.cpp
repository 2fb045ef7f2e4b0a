// PeHeaders: the DOS header points at the PE signature; the file header, the optional
// header (PE32 or PE32+) and the section table follow it in that order.
#include "format/PeHeaders.h"

#include "format/LittleEndian.h"

namespace {

constexpr uint32_t NtPointerField = 0x3C;
constexpr uint32_t PeSignature = 0x00004550;  // "PE\0\0"
// From the signature: fields of the file header, and the optional header after it.
constexpr uint32_t SectionCountField = 6;
constexpr uint32_t OptionalSizeField = 20;
constexpr uint32_t OptionalHeader = 24;
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe32PlusMagic = 0x20B;
// Within the optional header: the count of directory entries, which the entries follow.
constexpr uint32_t Pe32DirectoryCount = 92;
constexpr uint32_t Pe32PlusDirectoryCount = 108;
constexpr uint32_t SectionHeaderSize = 40;
// Within a section header.
constexpr uint32_t SectionVirtualSize = 8;
constexpr uint32_t SectionVirtualAddress = 12;
constexpr uint32_t SectionFileSize = 16;
constexpr uint32_t SectionFileOffset = 20;
constexpr uint32_t SectionCharacteristics = 36;

}  // namespace

// Each bound is checked before the fields it guards are read, by subtraction, which
// cannot overflow.
PeHeaders::PeHeaders(const unsigned char* image, size_t size) : image(image)
{
    constexpr uint32_t FixedFields = OptionalHeader + Pe32PlusDirectoryCount + 4;
    if (size < NtPointerField + 4)
        return;
    uint32_t at = U32(NtPointerField);
    if (size < FixedFields || at > size - FixedFields || U32(at) != PeSignature)
        return;
    uint32_t optional = at + OptionalHeader;
    uint16_t magic = ReadLittleEndian16(image + optional);
    if (magic != Pe32Magic && magic != Pe32PlusMagic)
        return;
    uint32_t entries =
        optional + (magic == Pe32Magic ? Pe32DirectoryCount : Pe32PlusDirectoryCount);
    uint32_t count = U32(entries);
    entries += 4;
    uint32_t table = optional + ReadLittleEndian16(image + at + OptionalSizeField);
    uint32_t sections = ReadLittleEndian16(image + at + SectionCountField);
    if (table < entries || count > (table - entries) / DirectoryEntrySize || table > size ||
        sections > (size - table) / SectionHeaderSize)
        return;
    nt = at;
    directories = entries;
    directoryCount = count;
    sectionTable = table;
    sectionCount = sections;
}

uint32_t PeHeaders::U32(uint32_t at) const { return ReadLittleEndian32(image + at); }

uint32_t PeHeaders::DirectoryAddress(unsigned index) const
{
    uint32_t entry = DirectoryEntry(index);
    return entry ? U32(entry) : 0;
}

uint32_t PeHeaders::DirectorySize(unsigned index) const
{
    uint32_t entry = DirectoryEntry(index);
    return entry ? U32(entry + 4) : 0;
}

PeSection PeHeaders::Section(unsigned n) const
{
    uint32_t at = sectionTable + n * SectionHeaderSize;
    return {U32(at + SectionVirtualAddress), U32(at + SectionVirtualSize),
            U32(at + SectionFileOffset), U32(at + SectionFileSize),
            U32(at + SectionCharacteristics)};
}
