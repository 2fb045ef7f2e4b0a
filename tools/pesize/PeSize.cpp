// pesize: where the bytes of a Windows program go. Prints the file size, each section's
// size in the file, and the resource data by type; the resources of the types named on
// the command line are the payload, and what is left is the program's own overhead.
//   pesize program.exe [PAYLOAD_TYPE...]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "PeFile.h"

namespace {

constexpr size_t DirectoryHeaderSize = 16, EntrySize = 8;

// The standard resource types by number, as resource scripts name them.
std::string TypeName(uint32_t id)
{
    static const std::map<uint32_t, const char*> names = {
        {1, "CURSOR"},        {2, "BITMAP"},      {3, "ICON"},         {4, "MENU"},
        {5, "DIALOG"},        {6, "STRINGTABLE"}, {9, "ACCELERATOR"},  {10, "RCDATA"},
        {12, "GROUP_CURSOR"}, {14, "GROUP_ICON"}, {16, "VERSIONINFO"}, {24, "MANIFEST"}};
    auto found = names.find(id);
    return found != names.end() ? found->second : "#" + std::to_string(id);
}

// A directory entry's name: a counted UTF-16 string (ASCII here) or a number.
std::string EntryName(const PeFile& file, size_t resourceBase, uint32_t nameField)
{
    if (!(nameField & 0x80000000u))
        return TypeName(nameField);
    size_t at = resourceBase + (nameField & 0x7FFFFFFFu);
    std::string name;
    for (uint16_t i = 0, length = file.U16(at); i < length; ++i)
        name += static_cast<char>(file.U16(at + 2 + 2 * i));
    return name;
}

// The entries a directory at `at` claims, as many as the file holds.
uint32_t EntryCount(const PeFile& file, size_t at)
{
    const size_t size = file.Bytes().size();
    const size_t held =
        at + DirectoryHeaderSize < size ? (size - at - DirectoryHeaderSize) / EntrySize : 0;
    return static_cast<uint32_t>(std::min<size_t>(file.U16(at + 12) + file.U16(at + 14), held));
}

// Adds up the data entries below one directory. A well-formed tree has three levels (type,
// name, language) and reaches each directory once: in a damaged one, a directory reached
// again adds nothing, which bounds the walk.
uint64_t DataBelow(const PeFile& file, size_t resourceBase, uint32_t offset, int depth,
                   std::set<uint32_t>& seen)
{
    if (depth > 3 || !seen.insert(offset).second)
        return 0;
    size_t at = resourceBase + offset;
    uint64_t total = 0;
    for (uint32_t i = 0, entries = EntryCount(file, at); i < entries; ++i) {
        uint32_t target = file.U32(at + DirectoryHeaderSize + EntrySize * i + 4);
        if (target & 0x80000000u)
            total += DataBelow(file, resourceBase, target & 0x7FFFFFFFu, depth + 1, seen);
        else
            total += file.U32(resourceBase + target + 4);
    }
    return total;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: pesize program.exe [PAYLOAD_TYPE...]\n");
        return 2;
    }
    PeFile file(argv[1]);
    if (!file.IsValid()) {
        std::fprintf(stderr, "pesize: %s is not a Windows program\n", argv[1]);
        return 1;
    }
    const auto& sections = file.Sections();

    std::printf("%-24s %8zu bytes\n", "file", file.Bytes().size());
    for (const PeSection& section : sections)
        std::printf("  section %-14s %8u bytes\n", section.name.c_str(), section.fileSize);

    uint64_t payload = 0;
    for (const PeSection& section : sections) {
        if (section.name != ".rsrc")
            continue;
        size_t base = section.fileOffset;
        std::set<uint32_t> seen = {0};
        for (uint32_t i = 0, types = EntryCount(file, base); i < types; ++i) {
            std::string type =
                EntryName(file, base, file.U32(base + DirectoryHeaderSize + EntrySize * i));
            uint32_t target = file.U32(base + DirectoryHeaderSize + EntrySize * i + 4);
            uint64_t size =
                (target & 0x80000000u) ? DataBelow(file, base, target & 0x7FFFFFFFu, 1, seen) : 0;
            bool isPayload = false;
            for (int arg = 2; arg < argc; ++arg)
                isPayload = isPayload || type == argv[arg];
            if (isPayload)
                payload += size;
            std::printf("  resource %-13s %8llu bytes%s\n", type.c_str(),
                        static_cast<unsigned long long>(size), isPayload ? "  (payload)" : "");
        }
    }
    std::printf("%-24s %8llu bytes\n", "payload", static_cast<unsigned long long>(payload));
    std::printf("%-24s %8llu bytes\n", "overhead (file - payload)",
                static_cast<unsigned long long>(file.Bytes().size() - payload));
    return 0;
}
