// The import check's rules on LLVM's reading of the program. Fails when
//   - an import, normal or delay-loaded, is missing from the list, or is not exported by
//     that library under that name (a decorated or misspelt name fails only at load);
//   - a function looked up at run time is listed but not exported, or its name is not in
//     the program;
//   - an entry that the program needs is newer than the oldest Windows it runs on;
//   - a pointer slot that the code calls or jumps through holds, in the file, no address
//     inside the image and is no slot that the loader fills.
#include "ImportRules.h"

#include <llvm/BinaryFormat/COFF.h>
#include <llvm/Support/Endian.h>

#include <map>
#include <set>
#include <sstream>

namespace {

using namespace llvm::object;

constexpr uint32_t SlotSize = 4;
constexpr uint32_t HintSize = 2;  // before each imported name
constexpr uint32_t DelayAddressesAreRelative = 1;
// A relocation block: the page's address, the block's size, then entries of two bytes each.
constexpr uint32_t RelocationBlockHeader = 8, RelocationBlockSizeAt = 4, RelocationEntrySize = 2;
// "call [address]" and "jmp [address]": 0xFF, then 0x15 or 0x25, then the slot's address.
constexpr unsigned char IndirectOpcode = 0xFF, CallThroughAbsolute = 0x15,
                        JumpThroughAbsolute = 0x25;
constexpr uint32_t OpcodeSize = 2;
constexpr size_t IndirectInstruction = OpcodeSize + SlotSize;
// Every entry the program cannot do without must be in this Windows.
const char OldestWindows[] = "95";

std::string Lower(llvm::StringRef text) { return text.lower(); }

// An llvm::Error as text, consumed.
std::string Why(llvm::Error error) { return llvm::toString(std::move(error)); }

struct Entry {
    std::string how;     // load, delay, run-time or optional
    std::string oldest;  // the oldest Windows that has it
    bool seen = false;
};

// The checks, each a walk of one part of the program; what they find gathers in `failures`.
struct Checker {
    const ProgramImage& program;
    const std::string& libraryFolder;
    const COFFObjectFile& object = program.Object();
    std::map<std::string, Entry> entries{};  // "library!function", library in lower case
    std::map<std::string, std::set<std::string>> exported{};
    std::set<uint32_t> loaderFilledSlots{};
    std::vector<std::string> failures{};
    int imports = 0;
    int callSlots = 0;

    void ReadList(std::istream& list)
    {
        for (std::string line; std::getline(list, line);) {
            std::istringstream fields(line);
            std::string library, function;
            Entry entry;
            if (!(fields >> library) || library[0] == '#')
                continue;
            if (!(fields >> function >> entry.how >> entry.oldest))
                Fail("list: incomplete line \"" + line + "\"");
            else
                entries[Lower(library) + "!" + function] = entry;
        }
    }

    void CheckImports()
    {
        // LLVM reads descriptors to the empty one: never past what the file holds of the
        // directory.
        size_t left = program.Directory(llvm::COFF::IMPORT_TABLE).size() /
                      sizeof(coff_import_directory_table_entry);
        for (auto it = object.import_directory_begin(); left && it != object.import_directory_end();
             --left) {
            const coff_import_directory_table_entry* descriptor = nullptr;
            llvm::StringRef library;
            if (llvm::Error error = it->getImportTableEntry(descriptor)) {
                Fail("an import's descriptor: " + Why(std::move(error)));
            } else if (!program.HoldsText(descriptor->NameRVA) ||
                       llvm::errorToBool(it->getName(library))) {
                Fail("an import's library name lies outside the file");
            } else {
                // LLVM names the imports from the slots, which the file holds as the names hold.
                const uint32_t slots = descriptor->ImportAddressTableRVA;
                CheckNames(library.str(), slots, *it, "load");
                const bool whole = program.TableEndsInFile(slots);
                for (uint32_t i = 0; whole && program.U32At(slots + SlotSize * i); ++i)
                    loaderFilledSlots.insert(slots + SlotSize * i);
            }
            if (left > 1)
                ++it;
        }
    }

    void CheckDelayImports()
    {
        const size_t count = program.Directory(llvm::COFF::DELAY_IMPORT_DESCRIPTOR).size() /
                             sizeof(delay_import_directory_table_entry);
        auto it = object.delay_import_directory_begin();
        for (size_t i = 0; i < count && it != object.delay_import_directory_end(); ++i, ++it) {
            const delay_import_directory_table_entry* table = nullptr;
            llvm::StringRef library;
            llvm::cantFail(it->getDelayImportTable(table));
            if (!table->Name)
                break;
            // LLVM reads the addresses as relative ones, as all linkers of today write them.
            if (!(table->Attributes & DelayAddressesAreRelative)) {
                Fail("delay imports: a descriptor holds absolute addresses");
            } else if (!program.HoldsText(table->Name) || llvm::errorToBool(it->getName(library))) {
                Fail("delay imports: a library name lies outside the file");
            } else {
                const uint32_t names = table->DelayImportNameTable,
                               slots = table->DelayImportAddressTable;
                CheckNames(library.str(), names, *it, "delay");
                const bool whole = program.TableEndsInFile(names);
                for (uint32_t slot = 0; whole && program.U32At(names + SlotSize * slot); ++slot)
                    if (!InsideImage(program.U32At(slots + SlotSize * slot)))
                        Fail(library.str() + ": delay slot " + std::to_string(slot) +
                             " holds no address in the image");
            }
        }
    }

    // Each absolute address in the code has a relocation; those that follow the opcode of
    // "call [address]" or "jmp [address]" are the slots the code goes through.
    void CheckCallSlots()
    {
        // LLVM steps from block to block by the size each states, to the table's exact end:
        // the blocks are counted first, within the bytes the table holds, so that a damaged
        // size cannot send the walk on for good.
        const llvm::ArrayRef<uint8_t> table = program.Directory(llvm::COFF::BASE_RELOCATION_TABLE);
        size_t relocations = 0;
        for (size_t at = 0; at + RelocationBlockHeader <= table.size();) {
            const uint32_t size =
                llvm::support::endian::read32le(table.data() + at + RelocationBlockSizeAt);
            // LLVM leaves a block where its entries end exactly.
            const bool exact = size > RelocationBlockHeader && size % RelocationEntrySize == 0;
            if (!exact || size > table.size() - at)
                break;
            relocations += (size - RelocationBlockHeader) / RelocationEntrySize;
            at += size;
        }
        auto it = object.base_reloc_begin();
        for (size_t i = 0; i < relocations; ++i, ++it) {
            uint8_t type = 0;
            uint32_t operand = 0;
            llvm::cantFail(it->getType(type));
            llvm::cantFail(it->getRVA(operand));
            const coff_section* section = program.SectionOf(operand - OpcodeSize);
            const llvm::ArrayRef<uint8_t> code =
                program.BytesAt(operand - OpcodeSize, IndirectInstruction);
            if (type != llvm::COFF::IMAGE_REL_BASED_HIGHLOW || !section ||
                !(section->Characteristics & llvm::COFF::IMAGE_SCN_MEM_EXECUTE) ||
                code.size() != IndirectInstruction || code[0] != IndirectOpcode ||
                (code[1] != CallThroughAbsolute && code[1] != JumpThroughAbsolute))
                continue;
            ++callSlots;
            const uint32_t slot = static_cast<uint32_t>(
                llvm::support::endian::read32le(code.data() + OpcodeSize) - object.getImageBase());
            const uint32_t held = program.U32At(slot);
            std::ostringstream text;
            text << std::hex << "code at 0x" << object.getImageBase() + operand - OpcodeSize
                 << " goes through slot 0x" << object.getImageBase() + slot << ", which holds 0x"
                 << held << " in the file";
            if (!loaderFilledSlots.count(slot) && !InsideImage(held))
                Fail(text.str());
        }
        if (callSlots == 0)
            Fail("no call through a slot found: the code or its relocations could not be read");
    }

    void CheckListedEntries()
    {
        const llvm::StringRef image = program.Bytes();
        for (const auto& [key, entry] : entries) {
            std::string library = key.substr(0, key.find('!'));
            std::string function = key.substr(key.find('!') + 1);
            if (entry.how != "optional" && entry.oldest != OldestWindows)
                Fail(key + ": needed, but only in Windows " + entry.oldest);
            if (entry.how == "load" || entry.how == "delay") {
                if (!entry.seen)
                    Fail(key + ": listed as a " + entry.how + " import, but not imported");
            } else if (entry.how == "run-time" || entry.how == "optional") {
                if (!Exports(library, function))
                    Fail(key + ": not exported by " + libraryFolder + "/" + library);
                if (image.find(llvm::StringRef(function.c_str(), function.size() + 1)) ==
                    llvm::StringRef::npos)
                    Fail(key + ": looked up at run time, but its name is not in the program");
            } else {
                Fail(key + ": unknown binding \"" + entry.how + "\"");
            }
        }
    }

    void Fail(const std::string& what) { failures.push_back(what); }
    bool Exports(const std::string& library, const std::string& function)
    {
        // Each library is read once, at its first name.
        const auto [found, first] = exported.try_emplace(library);
        if (const auto file = first ? ProgramImage::Open(libraryFolder + "/" + library) : nullptr)
            for (const ExportDirectoryEntryRef& entry : file->Object().export_directories())
                if (llvm::StringRef name;
                    !llvm::errorToBool(entry.getSymbolName(name)) && !name.empty())
                    found->second.insert(name.str());
        return found->second.count(function) != 0;
    }

    // Each name of a library's table against the list and the library's exports. LLVM reads the
    // table to its empty entry as soon as it is asked for it: `entry` is asked only when the file
    // holds that entry.
    template <typename DirectoryEntry>
    void CheckNames(const std::string& library, uint32_t names, const DirectoryEntry& entry,
                    const std::string& how)
    {
        if (!program.TableEndsInFile(names))
            return Fail(library + ": its name table runs past the file");
        // What only the table's entry holds LLVM reads without fail.
        for (const ImportedSymbolRef& symbol : entry.imported_symbols()) {
            bool byOrdinal = false;
            uint16_t ordinal = 0;
            uint32_t hintName = 0;
            llvm::StringRef name;
            llvm::cantFail(symbol.isOrdinal(byOrdinal));
            if (byOrdinal) {
                llvm::cantFail(symbol.getOrdinal(ordinal));
                Fail(library + ": import by ordinal " + std::to_string(ordinal));
            } else if (llvm::cantFail(symbol.getHintNameRVA(hintName)),
                       !program.HoldsText(hintName, HintSize)) {
                Fail(library + ": an imported name lies outside the file");
            } else if (llvm::Error error = symbol.getSymbolName(name)) {
                Fail(library + ": " + Why(std::move(error)));
            } else {
                ++imports;
                const std::string key = Lower(library) + "!" + name.str();
                auto listed = entries.find(key);
                if (listed == entries.end() || listed->second.how != how)
                    Fail(key + ": " + how + " import not in the list");
                else
                    listed->second.seen = true;
                if (!Exports(Lower(library), name.str()))
                    Fail(key + ": not exported by " + libraryFolder + "/" + Lower(library));
            }
        }
    }

    bool InsideImage(uint64_t address) const
    {
        return address >= object.getImageBase() &&
               address - object.getImageBase() < program.SizeOfImage();
    }
};

}  // namespace

ImportFindings CheckImports(const ProgramImage& program, std::istream& list,
                            const std::string& libraryFolder)
{
    Checker checker{program, libraryFolder};
    checker.ReadList(list);
    checker.CheckImports();
    checker.CheckDelayImports();
    checker.CheckCallSlots();
    checker.CheckListedEntries();
    return {std::to_string(checker.imports) + " imports, " +
                std::to_string(checker.entries.size()) + " listed entries, " +
                std::to_string(checker.callSlots) + " call slots checked",
            checker.failures};
}
