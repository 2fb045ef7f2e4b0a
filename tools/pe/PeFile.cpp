// PeFile: the DOS stub's pointer to the PE header, the optional header (PE32 or PE32+),
// its data directories and the section table.
#include "PeFile.h"

#include <algorithm>
#include <cstdint>

#include "HostFiles.h"

namespace {

constexpr uint32_t PeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe32PlusMagic = 0x20B;

}  // namespace

PeFile::PeFile(const std::string& path)
{
    ReadWholeFile(path, bytes);
    size_t header = U32(0x3C);
    if (bytes.size() < 64 || U32(header) != PeSignature)
        return;
    size_t optional = header + 24;
    uint16_t magic = U16(optional);
    if (magic != Pe32Magic && magic != Pe32PlusMagic)
        return;
    is32Bit = magic == Pe32Magic;
    imageBase = is32Bit ? U32(optional + 28)
                        : (U32(optional + 24) | static_cast<uint64_t>(U32(optional + 28)) << 32);
    sizeOfImage = U32(optional + 56);
    directoryCount = U32(optional + (is32Bit ? 92 : 108));
    directories = optional + (is32Bit ? 96 : 112);

    uint16_t sectionCount = U16(header + 6);
    size_t sectionTable = optional + U16(header + 20);
    for (uint16_t i = 0; i < sectionCount; ++i) {
        size_t at = sectionTable + 40 * i;
        if (at + 40 > bytes.size())
            return;
        std::string name(reinterpret_cast<const char*>(&bytes[at]), 8);
        name.resize(name.find('\0') == std::string::npos ? 8 : name.find('\0'));
        sections.push_back(
            {name, U32(at + 12), U32(at + 8), U32(at + 20), U32(at + 16), U32(at + 36)});
    }
    valid = true;
}

uint32_t PeFile::DirectoryAddress(int index) const
{
    return static_cast<uint32_t>(index) < directoryCount ? U32(directories + 8 * index) : 0;
}

uint32_t PeFile::DirectorySize(int index) const
{
    return static_cast<uint32_t>(index) < directoryCount ? U32(directories + 8 * index + 4) : 0;
}

const PeSection* PeFile::SectionOf(uint32_t rva) const
{
    for (const PeSection& section : sections) {
        uint32_t extent = section.virtualSize ? section.virtualSize : section.fileSize;
        if (rva >= section.virtualAddress && rva - section.virtualAddress < extent)
            return &section;
    }
    return nullptr;
}

size_t PeFile::Offset(uint32_t rva) const
{
    const PeSection* section = SectionOf(rva);
    if (!section || rva - section->virtualAddress >= section->fileSize)
        return SIZE_MAX;
    // A section may claim more data than the file holds.
    const size_t offset = size_t{section->fileOffset} + (rva - section->virtualAddress);
    return offset < bytes.size() ? offset : SIZE_MAX;
}

size_t PeFile::BytesAt(uint32_t rva) const
{
    const size_t offset = Offset(rva);
    if (offset == SIZE_MAX)
        return 0;
    const PeSection& section = *SectionOf(rva);
    return std::min<size_t>(section.fileSize - (rva - section.virtualAddress),
                            bytes.size() - offset);
}

uint16_t PeFile::U16(size_t offset) const
{
    return offset < bytes.size() && bytes.size() - offset >= 2
               ? static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8)
               : 0;
}

uint32_t PeFile::U32(size_t offset) const
{
    return offset < bytes.size() && bytes.size() - offset >= 4
               ? static_cast<uint32_t>(U16(offset) | U16(offset + 2) << 16)
               : 0;
}

std::string PeFile::TextAt(uint32_t rva) const
{
    std::string text;
    for (size_t at = Offset(rva); at < bytes.size() && bytes[at]; ++at)
        text += static_cast<char>(bytes[at]);
    return text;
}

std::vector<std::string> PeFile::ExportedNames() const
{
    std::vector<std::string> names;
    uint32_t directory = DirectoryAddress(ExportDirectory);
    if (!directory)
        return names;
    uint32_t nameTable = U32At(directory + 32);
    // A count the name table cannot hold would have this read the same empty names for long.
    uint32_t count =
        static_cast<uint32_t>(std::min<size_t>(U32At(directory + 24), BytesAt(nameTable) / 4));
    for (uint32_t i = 0; i < count; ++i)
        names.push_back(TextAt(U32At(nameTable + 4 * i)));
    return names;
}
