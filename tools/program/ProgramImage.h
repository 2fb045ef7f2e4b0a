// ProgramImage: a Windows program or library read by LLVM's object library, kept only when
// the data of every section lies within the file. LLVM turns an address into a pointer
// without looking at the file's length, and follows some tables to their end marker: the
// views here give the tools bytes the file holds, and bounds for those walks.
#pragma once

#include <llvm/Object/COFF.h>
#include <llvm/Support/MemoryBuffer.h>

#include <cstdint>
#include <memory>
#include <string>

class ProgramImage {
public:
    // The program in `bytes`, or nullptr when LLVM cannot read it as a PE image or a
    // section claims data the file does not hold.
    static std::unique_ptr<ProgramImage> Read(llvm::StringRef bytes);
    static std::unique_ptr<ProgramImage> Open(const std::string& path);

    const llvm::object::COFFObjectFile& Object() const { return *object; }
    llvm::StringRef Bytes() const { return buffer->getBuffer(); }
    // Of a 32-bit program, the only kind whose addresses the tools check.
    uint32_t SizeOfImage() const { return object->getPE32Header()->SizeOfImage; }

    // The section whose addresses hold `rva`, as LLVM finds it, or nullptr.
    const llvm::object::coff_section* SectionOf(uint32_t rva) const;
    // The bytes the file holds from `rva` to the end of its section's data, at most `size`:
    // empty where it holds none.
    llvm::ArrayRef<uint8_t> BytesAt(uint32_t rva, size_t size = SIZE_MAX) const;
    // Whether a text LLVM reads at `rva` after `skipped` bytes starts within the file: LLVM
    // reads it to its NUL, and the file's copy ends in one.
    bool HoldsText(uint32_t rva, uint32_t skipped = 0) const;
    // The 32-bit value at `rva`; 0 where the file does not hold it whole.
    uint32_t U32At(uint32_t rva) const;
    // Whether the table of 32-bit entries at `rva` ends (a zero entry) within the file:
    // LLVM reads an import name table to that entry.
    bool TableEndsInFile(uint32_t rva) const;
    // The bytes the file holds of data directory `index`: empty where there is none.
    llvm::ArrayRef<uint8_t> Directory(uint32_t index) const;

private:
    std::unique_ptr<llvm::MemoryBuffer> buffer;
    std::unique_ptr<llvm::object::COFFObjectFile> object;
};
