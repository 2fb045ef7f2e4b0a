// ProgramImage: LLVM's reading of a PE image, with the file's own bounds put on it.
#include "ProgramImage.h"

#include <llvm/BinaryFormat/Magic.h>
#include <llvm/Support/Endian.h>

#include <algorithm>

using llvm::object::coff_section;

std::unique_ptr<ProgramImage> ProgramImage::Read(llvm::StringRef bytes)
{
    // Only what LLVM recognises as a PE image: its reading of COFF object files trusts them.
    if (llvm::identify_magic(bytes) != llvm::file_magic::pecoff_executable)
        return nullptr;
    // A copy ends in a NUL past the file: a name LLVM reads at the file's end stops there.
    auto image = std::make_unique<ProgramImage>();
    image->buffer = llvm::MemoryBuffer::getMemBufferCopy(bytes);
    auto object = llvm::expectedToOptional(
        llvm::object::COFFObjectFile::create(image->buffer->getMemBufferRef()));
    if (!object)
        return nullptr;
    image->object = std::move(*object);
    // LLVM turns an address into a pointer into its section's data, unchecked.
    for (const llvm::object::SectionRef& section : image->object->sections()) {
        const coff_section* header = image->object->getCOFFSection(section);
        if (uint64_t{header->PointerToRawData} + header->SizeOfRawData > bytes.size())
            return nullptr;
    }
    return image;
}

std::unique_ptr<ProgramImage> ProgramImage::Open(const std::string& path)
{
    auto file = llvm::MemoryBuffer::getFile(path);
    return file ? Read((*file)->getBuffer()) : nullptr;
}

// As LLVM maps an address: the first section whose virtual size holds it, in 32-bit sums.
const coff_section* ProgramImage::SectionOf(uint32_t rva) const
{
    for (const llvm::object::SectionRef& section : object->sections()) {
        const coff_section* header = object->getCOFFSection(section);
        if (header->VirtualAddress <= rva && rva < header->VirtualAddress + header->VirtualSize)
            return header;
    }
    return nullptr;
}

llvm::ArrayRef<uint8_t> ProgramImage::BytesAt(uint32_t rva, size_t size) const
{
    // LLVM's pointer runs past the section's data where the virtual size is the larger.
    const coff_section* section = SectionOf(rva);
    const uint32_t offset = section ? rva - section->VirtualAddress : 0;
    if (!section || offset >= section->SizeOfRawData)
        return {};
    const auto* bytes = reinterpret_cast<const uint8_t*>(Bytes().data());
    return {bytes + section->PointerToRawData + offset,
            std::min<size_t>(size, section->SizeOfRawData - offset)};
}

bool ProgramImage::HoldsText(uint32_t rva, uint32_t skipped) const
{
    return BytesAt(rva, skipped + 1).size() == skipped + 1;
}

uint32_t ProgramImage::U32At(uint32_t rva) const
{
    const llvm::ArrayRef<uint8_t> bytes = BytesAt(rva, sizeof(uint32_t));
    return bytes.size() == sizeof(uint32_t) ? llvm::support::endian::read32le(bytes.data()) : 0;
}

bool ProgramImage::TableEndsInFile(uint32_t rva) const
{
    const llvm::ArrayRef<uint8_t> bytes = BytesAt(rva);
    for (size_t at = 0; at + sizeof(uint32_t) <= bytes.size(); at += sizeof(uint32_t))
        if (!llvm::support::endian::read32le(bytes.data() + at))
            return true;
    return false;
}

llvm::ArrayRef<uint8_t> ProgramImage::Directory(uint32_t index) const
{
    const llvm::object::data_directory* directory = object->getDataDirectory(index);
    return directory && directory->RelativeVirtualAddress
               ? BytesAt(directory->RelativeVirtualAddress, directory->Size)
               : llvm::ArrayRef<uint8_t>();
}
