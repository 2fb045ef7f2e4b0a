// ProgramImage: LLVM's reading of a PE image, with the file's own bounds put on it.
#include "ProgramImage.h"

#include <llvm/Support/Endian.h>

#include <algorithm>

using llvm::object::coff_section;

std::unique_ptr<ProgramImage> ProgramImage::Read(llvm::StringRef bytes)
{
    // A copy ends in a NUL past the file: a name LLVM reads at the file's end stops there.
    auto image = std::make_unique<ProgramImage>();
    image->buffer = llvm::MemoryBuffer::getMemBufferCopy(bytes);
    auto object = llvm::object::COFFObjectFile::create(image->buffer->getMemBufferRef());
    if (!object) {
        llvm::consumeError(object.takeError());
        return nullptr;
    }
    image->object = std::move(*object);
    if (!image->object->getPE32Header() && !image->object->getPE32PlusHeader())
        return nullptr;
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

uint32_t ProgramImage::SizeOfImage() const
{
    return object->getPE32Header() ? object->getPE32Header()->SizeOfImage
                                   : object->getPE32PlusHeader()->SizeOfImage;
}

const coff_section* ProgramImage::SectionOf(uint32_t rva) const
{
    for (const llvm::object::SectionRef& section : object->sections()) {
        const coff_section* header = object->getCOFFSection(section);
        const uint32_t extent = header->VirtualSize ? header->VirtualSize : header->SizeOfRawData;
        if (rva >= header->VirtualAddress && rva - header->VirtualAddress < extent)
            return header;
    }
    return nullptr;
}

llvm::ArrayRef<uint8_t> ProgramImage::BytesAt(uint32_t rva, size_t size) const
{
    uintptr_t at = 0;
    if (llvm::Error error = object->getRvaPtr(rva, at)) {
        llvm::consumeError(std::move(error));
        return {};
    }
    // Within the file, as every section's data is; the file may end before the section.
    const auto* begin = reinterpret_cast<const uint8_t*>(at);
    const auto* end = reinterpret_cast<const uint8_t*>(Bytes().end());
    return {begin, std::min<size_t>(size, end - begin)};
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

size_t ProgramImage::DirectoryEntries(uint32_t index, size_t entrySize) const
{
    const llvm::object::data_directory* directory = object->getDataDirectory(index);
    return directory && directory->RelativeVirtualAddress ? directory->Size / entrySize : 0;
}
