// importcheck: what a 32-bit Windows program imports, against the list of what it may
// import and against the libraries of a Windows to run on (Wine's 32-bit ones serve, with
// no 32-bit code run). Fails when
//   - an import, normal or delay-loaded, is missing from the list, or is not exported by
//     that library under that name (a decorated or misspelt name fails only at load);
//   - a function looked up at run time is listed but not exported, or its name is not in
//     the program;
//   - an entry that the program needs is newer than the oldest Windows it runs on;
//   - a pointer slot that the code calls or jumps through holds, in the file, no address
//     inside the image and is no slot that the loader fills.
//   importcheck program.exe imports.txt library-folder
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "PeFile.h"

namespace {

constexpr uint32_t OrdinalFlag = 0x80000000u;
constexpr int ImportDescriptorSize = 20;
constexpr int DelayDescriptorSize = 32;
constexpr uint32_t DelayAddressesAreRelative = 1;
constexpr int HighLowRelocation = 3;
constexpr uint32_t RelocationBlockHeader = 8;  // the page's address and the block's size
constexpr unsigned char IndirectOpcode = 0xFF;
constexpr unsigned char CallThroughAbsolute = 0x15;  // call [address]
constexpr unsigned char JumpThroughAbsolute = 0x25;  // jmp [address]
// Every entry the program cannot do without must be in this Windows.
const char OldestWindows[] = "95";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct Entry {
    std::string how;     // load, delay, run-time or optional
    std::string oldest;  // the oldest Windows that has it
    bool seen = false;
};

class Checker {
public:
    Checker(const PeFile& program, const std::string& libraryFolder)
        : program(program), libraryFolder(libraryFolder)
    {
    }

    bool ReadList(const std::string& path);
    void CheckImports();
    void CheckDelayImports();
    void CheckCallSlots();
    void CheckListedEntries();
    int Report() const;

private:
    void Fail(const std::string& what) { failures.push_back(what); }
    bool Exports(const std::string& library, const std::string& function);
    void CheckImport(const std::string& library, const std::string& function,
                     const std::string& how);
    uint32_t Rva(uint64_t address) const
    {
        return static_cast<uint32_t>(address - program.ImageBase());
    }
    bool InsideImage(uint32_t address) const
    {
        return address >= program.ImageBase() &&
               address - program.ImageBase() < program.SizeOfImage();
    }

    const PeFile& program;
    std::string libraryFolder;
    std::map<std::string, Entry> entries;  // "library!function", library in lower case
    std::map<std::string, std::set<std::string>> exported;
    std::set<uint32_t> loaderFilledSlots;
    std::vector<std::string> failures;
    int imports = 0;
    int callSlots = 0;
};

bool Checker::ReadList(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
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
    return true;
}

bool Checker::Exports(const std::string& library, const std::string& function)
{
    auto found = exported.find(library);
    if (found == exported.end()) {
        PeFile file(libraryFolder + "/" + library);
        std::vector<std::string> names = file.ExportedNames();
        found = exported.emplace(library, std::set<std::string>(names.begin(), names.end())).first;
    }
    return found->second.count(function) != 0;
}

void Checker::CheckImport(const std::string& library, const std::string& function,
                          const std::string& how)
{
    ++imports;
    const std::string key = Lower(library) + "!" + function;
    auto entry = entries.find(key);
    if (entry == entries.end() || entry->second.how != how)
        Fail(key + ": " + how + " import not in the list");
    else
        entry->second.seen = true;
    if (!Exports(Lower(library), function))
        Fail(key + ": not exported by " + libraryFolder + "/" + Lower(library));
}

void Checker::CheckImports()
{
    uint32_t at = program.DirectoryAddress(PeFile::ImportDirectory);
    for (; at && program.U32At(at + 12); at += ImportDescriptorSize) {
        std::string library = program.TextAt(program.U32At(at + 12));
        uint32_t names = program.U32At(at) ? program.U32At(at) : program.U32At(at + 16);
        uint32_t slots = program.U32At(at + 16);
        for (uint32_t i = 0;; ++i) {
            uint32_t name = program.U32At(names + 4 * i);
            if (!name)
                break;
            loaderFilledSlots.insert(slots + 4 * i);
            if (name & OrdinalFlag)
                Fail(library + ": import by ordinal " + std::to_string(name & 0xFFFF));
            else
                CheckImport(library, program.TextAt(name + 2), "load");
        }
    }
}

void Checker::CheckDelayImports()
{
    uint32_t at = program.DirectoryAddress(PeFile::DelayImportDirectory);
    for (; at && program.U32At(at + 4); at += DelayDescriptorSize) {
        bool relative = program.U32At(at) & DelayAddressesAreRelative;
        auto rva = [&](uint32_t field) { return relative ? field : Rva(field); };
        std::string library = program.TextAt(rva(program.U32At(at + 4)));
        uint32_t slots = rva(program.U32At(at + 12));
        uint32_t names = rva(program.U32At(at + 16));
        for (uint32_t i = 0;; ++i) {
            uint32_t name = program.U32At(names + 4 * i);
            if (!name)
                break;
            CheckImport(library, program.TextAt(rva(name) + 2), "delay");
            uint32_t first = program.U32At(slots + 4 * i);
            if (!InsideImage(first))
                Fail(library + ": delay slot " + std::to_string(i) +
                     " holds no address in the image");
        }
    }
}

// Each absolute address in the code has a relocation; those that follow the opcode of
// "call [address]" or "jmp [address]" are the slots the code goes through.
void Checker::CheckCallSlots()
{
    const auto& bytes = program.Bytes();
    // The blocks and every size read from them stay within the data the file holds, so
    // that no sum of them wraps round.
    const uint32_t start = program.DirectoryAddress(PeFile::RelocationDirectory);
    const uint64_t end =
        start + std::min<uint64_t>(program.DirectorySize(PeFile::RelocationDirectory),
                                   program.BytesAt(start));
    for (uint32_t block = start; block && block + RelocationBlockHeader <= end;) {
        uint32_t page = program.U32At(block);
        uint32_t size = program.U32At(block + 4);
        if (size < RelocationBlockHeader || size > end - block)
            break;
        for (uint32_t i = RelocationBlockHeader; i + 2 <= size; i += 2) {
            uint16_t relocation = program.U16(program.Offset(block + i));
            if (relocation >> 12 != HighLowRelocation)
                continue;
            uint32_t operand = page + (relocation & 0xFFF);
            const PeSection* section = program.SectionOf(operand);
            size_t offset = program.Offset(operand);
            if (!section || !(section->characteristics & PeFile::ExecutableSection) ||
                offset == SIZE_MAX || offset < 2 || bytes[offset - 2] != IndirectOpcode ||
                (bytes[offset - 1] != CallThroughAbsolute &&
                 bytes[offset - 1] != JumpThroughAbsolute))
                continue;
            ++callSlots;
            uint32_t slot = Rva(program.U32(offset));
            uint32_t held = program.U32At(slot);
            if (!loaderFilledSlots.count(slot) && !InsideImage(held)) {
                char text[128];
                std::snprintf(
                    text, sizeof text,
                    "code at 0x%llx goes through slot 0x%llx, which holds 0x%x in the file",
                    static_cast<unsigned long long>(program.ImageBase() + operand - 2),
                    static_cast<unsigned long long>(program.ImageBase() + slot), held);
                Fail(text);
            }
        }
        block += size;
    }
    if (callSlots == 0)
        Fail("no call through a slot found: the code or its relocations could not be read");
}

void Checker::CheckListedEntries()
{
    const auto& bytes = program.Bytes();
    const std::string image(bytes.begin(), bytes.end());
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
            if (image.find(function + '\0') == std::string::npos)
                Fail(key + ": looked up at run time, but its name is not in the program");
        } else {
            Fail(key + ": unknown binding \"" + entry.how + "\"");
        }
    }
}

int Checker::Report() const
{
    std::printf("%d imports, %zu listed entries, %d call slots checked\n", imports, entries.size(),
                callSlots);
    for (const std::string& failure : failures)
        std::printf("FAIL %s\n", failure.c_str());
    return failures.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: importcheck program.exe imports.txt library-folder\n");
        return 2;
    }
    PeFile program(argv[1]);
    if (!program.IsValid() || !program.Is32Bit()) {
        std::fprintf(stderr, "importcheck: %s is not a 32-bit Windows program\n", argv[1]);
        return 2;
    }
    Checker checker(program, argv[3]);
    if (!checker.ReadList(argv[2])) {
        std::fprintf(stderr, "importcheck: cannot read %s\n", argv[2]);
        return 2;
    }
    checker.CheckImports();
    checker.CheckDelayImports();
    checker.CheckCallSlots();
    checker.CheckListedEntries();
    return checker.Report();
}
