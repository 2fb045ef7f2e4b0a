// PeFile: a Windows program or library read whole into memory, with the few views of its
// headers that the host tools need. Reads past the end of the file answer 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PeSection {
    std::string name;
    uint32_t virtualAddress, virtualSize, fileOffset, fileSize, characteristics;
};

class PeFile {
public:
    // Data directory entries by index.
    static constexpr int ExportDirectory = 0;
    static constexpr int ImportDirectory = 1;
    static constexpr int ResourceDirectory = 2;
    static constexpr int RelocationDirectory = 5;
    static constexpr int DelayImportDirectory = 13;
    static constexpr uint32_t ExecutableSection = 0x20000000;  // IMAGE_SCN_MEM_EXECUTE

    explicit PeFile(const std::string& path);

    bool IsValid() const { return valid; }
    bool Is32Bit() const { return is32Bit; }
    const std::vector<unsigned char>& Bytes() const { return bytes; }
    const std::vector<PeSection>& Sections() const { return sections; }
    uint64_t ImageBase() const { return imageBase; }
    uint32_t SizeOfImage() const { return sizeOfImage; }
    uint32_t DirectoryAddress(int index) const;
    uint32_t DirectorySize(int index) const;

    // File offset of a relative virtual address, or SIZE_MAX where the file holds no bytes.
    size_t Offset(uint32_t rva) const;
    const PeSection* SectionOf(uint32_t rva) const;
    // How many bytes the file holds from `rva` to the end of its section's data.
    size_t BytesAt(uint32_t rva) const;
    uint16_t U16(size_t offset) const;
    uint32_t U32(size_t offset) const;
    uint32_t U32At(uint32_t rva) const { return U32(Offset(rva)); }
    std::string TextAt(uint32_t rva) const;

    // The names a library exports (none for a file without an export directory).
    std::vector<std::string> ExportedNames() const;

private:
    std::vector<unsigned char> bytes;
    std::vector<PeSection> sections;
    bool valid = false;
    bool is32Bit = false;
    uint64_t imageBase = 0;
    uint32_t sizeOfImage = 0;
    size_t directories = 0;
    uint32_t directoryCount = 0;
};
