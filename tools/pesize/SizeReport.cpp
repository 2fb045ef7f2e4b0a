// The size report on LLVM's reading of the program and of its resource tree.
#include "SizeReport.h"

#include <llvm/Support/Endian.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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
    const auto text = llvm::expectedToOptional(resources.getEntryNameString(entry));
    if (!text)
        return "?";
    // The characters may lie at any address: read byte-wise.
    std::string name;
    for (size_t i = 0; i < text->size(); ++i)
        name += static_cast<char>(llvm::support::endian::read16le(text->data() + i));
    return name;
}

// Adds up the data below a directory table, handing each entry and the data below it to
// `each` when given. In a damaged tree, a directory reached again adds nothing, which bounds
// the walk; data that stands for a whole type counts for nothing.
uint64_t DataBelow(ResourceSectionRef& resources, const coff_resource_dir_table* table, int level,
                   std::set<const void*>& seen,
                   const std::function<void(const coff_resource_dir_entry&, uint64_t)>& each = {})
{
    uint64_t total = 0;
    for (uint32_t i = 0; table && i < table->NumberOfNameEntries + table->NumberOfIDEntries; ++i) {
        const coff_resource_dir_entry* entry = Found(resources.getTableEntry(*table, i));
        if (!entry)
            break;
        const bool isTable = entry->Offset.isSubDir();
        const coff_resource_dir_table* below =
            isTable ? Found(resources.getEntrySubDir(*entry)) : nullptr;
        const coff_resource_data_entry* data =
            !isTable && level > 0 ? Found(resources.getEntryData(*entry)) : nullptr;
        const uint64_t size = data ? data->DataSize
                              : below && level < ResourceLevels && seen.insert(below).second
                                  ? DataBelow(resources, below, level + 1, seen)
                                  : 0;
        if (each)
            each(*entry, size);
        total += size;
    }
    return total;
}

// One figure: its label, padded to a column, and its bytes.
void Line(std::string& report, const std::string& label, uint64_t bytes, const char* note = "")
{
    char text[128];
    std::snprintf(text, sizeof text, "%-24s %8llu bytes%s\n", label.c_str(),
                  static_cast<unsigned long long>(bytes), note);
    report += text;
}

}  // namespace

std::string SizeReport(const ProgramImage& program, const std::vector<std::string>& payloadTypes)
{
    std::string report;
    const COFFObjectFile& object = program.Object();
    Line(report, "file", program.Bytes().size());
    for (const SectionRef& section : object.sections()) {
        const auto name = llvm::expectedToOptional(section.getName());
        Line(report, "  section " + (name ? name->str() : "?"),
             object.getCOFFSection(section)->SizeOfRawData);
    }

    uint64_t payload = 0;
    ResourceSectionRef resources;
    const coff_resource_dir_table* base = nullptr;
    if (llvm::Error error = resources.load(&object))
        llvm::consumeError(std::move(error));  // no resources
    else
        base = Found(resources.getBaseTable());
    std::set<const void*> seen = {base};
    DataBelow(resources, base, 0, seen, [&](const coff_resource_dir_entry& entry, uint64_t size) {
        const std::string type = EntryName(resources, entry);
        const bool isPayload = std::count(payloadTypes.begin(), payloadTypes.end(), type) > 0;
        payload += isPayload ? size : 0;
        Line(report, "  resource " + type, size, isPayload ? "  (payload)" : "");
    });
    Line(report, "payload", payload);
    Line(report, "overhead (file - payload)", program.Bytes().size() - payload);
    return report;
}
