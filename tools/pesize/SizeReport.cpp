// The size report on LLVM's reading of the program and of its resource tree.
#include "SizeReport.h"

#include <llvm/Support/Endian.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace {

using namespace llvm::object;

constexpr uint32_t NamedEntry = 0x80000000u;
// A well-formed tree has three levels: type, name, language.
constexpr int ResourceLevels = 3;

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

// The value, or nullptr with the error dropped: a damaged part of the tree adds nothing.
template <typename T> const T* Found(llvm::Expected<const T&> value)
{
    if (value)
        return &*value;
    llvm::consumeError(value.takeError());
    return nullptr;
}

// A type's name: a counted UTF-16 string (ASCII here) or a number.
std::string EntryName(ResourceSectionRef& resources, const coff_resource_dir_entry& entry)
{
    if (!(entry.Identifier.ID & NamedEntry))
        return TypeName(entry.Identifier.ID);
    auto text = resources.getEntryNameString(entry);
    if (!text) {
        llvm::consumeError(text.takeError());
        return "?";
    }
    // The characters may lie at any address: read byte-wise.
    std::string name;
    for (size_t i = 0; i < text->size(); ++i)
        name += static_cast<char>(llvm::support::endian::read16le(text->data() + i));
    return name;
}

// Adds up the data below one entry. In a damaged tree, a directory reached again adds
// nothing, which bounds the walk.
uint64_t DataBelow(ResourceSectionRef& resources, const coff_resource_dir_entry& entry, int level,
                   std::set<const void*>& seen)
{
    if (!entry.Offset.isSubDir()) {
        const coff_resource_data_entry* data = Found(resources.getEntryData(entry));
        return data ? data->DataSize : 0;
    }
    const coff_resource_dir_table* table = Found(resources.getEntrySubDir(entry));
    if (!table || level > ResourceLevels || !seen.insert(table).second)
        return 0;
    uint64_t total = 0;
    for (uint32_t i = 0; i < table->NumberOfNameEntries + table->NumberOfIDEntries; ++i) {
        const coff_resource_dir_entry* below = Found(resources.getTableEntry(*table, i));
        if (!below)
            break;
        total += DataBelow(resources, *below, level + 1, seen);
    }
    return total;
}

void Line(std::string& report, const char* format, const std::string& name,
          unsigned long long bytes, const char* note = "")
{
    char text[128];
    std::snprintf(text, sizeof text, format, name.c_str(), bytes, note);
    report += text;
}

}  // namespace

std::string SizeReport(const ProgramImage& program, const std::vector<std::string>& payloadTypes)
{
    std::string report;
    const COFFObjectFile& object = program.Object();
    Line(report, "%-24s %8llu bytes\n", "file", program.Bytes().size());
    for (const SectionRef& section : object.sections()) {
        auto name = section.getName();
        Line(report, "  section %-14s %8llu bytes\n", name ? name->str() : "?",
             object.getCOFFSection(section)->SizeOfRawData);
        if (!name)
            llvm::consumeError(name.takeError());
    }

    uint64_t payload = 0;
    ResourceSectionRef resources;
    const coff_resource_dir_table* base = nullptr;
    if (llvm::Error error = resources.load(&object))
        llvm::consumeError(std::move(error));  // no resources
    else
        base = Found(resources.getBaseTable());
    std::set<const void*> seen = {base};
    for (uint32_t i = 0; base && i < base->NumberOfNameEntries + base->NumberOfIDEntries; ++i) {
        const coff_resource_dir_entry* entry = Found(resources.getTableEntry(*base, i));
        if (!entry)
            break;
        const std::string type = EntryName(resources, *entry);
        const uint64_t size = entry->Offset.isSubDir() ? DataBelow(resources, *entry, 1, seen) : 0;
        const bool isPayload =
            std::find(payloadTypes.begin(), payloadTypes.end(), type) != payloadTypes.end();
        payload += isPayload ? size : 0;
        Line(report, "  resource %-13s %8llu bytes%s\n", type, size,
             isPayload ? "  (payload)" : "");
    }
    Line(report, "%-24s %8llu bytes\n", "payload", payload);
    Line(report, "%-24s %8llu bytes\n", "overhead (file - payload)",
         program.Bytes().size() - payload);
    return report;
}
