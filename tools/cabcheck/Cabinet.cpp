// Reads a Microsoft cabinet as the published layout gives it: the CFHEADER, its CFFOLDER
// and CFFILE entries, and the CFDATA blocks of a folder stored without compression.
#include "Cabinet.h"

#include <cstring>

namespace {

constexpr uint32_t HeaderSize = 36;
constexpr uint16_t PreviousCabinet = 0x0001, NextCabinet = 0x0002, ReservePresent = 0x0004;
constexpr uint32_t FolderSize = 8, FileSize = 16, DataHeaderSize = 8;

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }

} // namespace

std::string ReadCabinet(Bytes bytes, Cabinet& cabinet)
{
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "MSCF", 4) != 0)
        return "not a cabinet (no MSCF header)";
    if (bytes.size() < HeaderSize)
        return "truncated: " + std::to_string(bytes.size()) + " bytes, shorter than a cabinet header";
    const uint32_t end = U32(bytes, 8), filesAt = U32(bytes, 16);
    const uint16_t folderCount = U16(bytes, 26), fileCount = U16(bytes, 28), flags = U16(bytes, 30);
    if (end > bytes.size())
        return "truncated: " + std::to_string(bytes.size()) + " bytes of a " + std::to_string(end) +
               "-byte cabinet";
    if (end < HeaderSize || filesAt >= end)
        return "not a cabinet (its header's sizes are impossible)";
    if (bytes[25] != 1)
        return "unsupported cabinet version " + std::to_string(bytes[25]) + "." + std::to_string(bytes[24]);
    // The device installs one cabinet: a set that continues in another cannot be installed.
    if (flags & (PreviousCabinet | NextCabinet))
        return "part of a cabinet set spanning several files";
    if (folderCount == 0 || fileCount == 0)
        return "holds no files";

    size_t at = HeaderSize;
    uint32_t folderReserve = 0;
    if (flags & ReservePresent) {
        if (at + 4 > end)
            return "header runs past the end";
        folderReserve = bytes[at + 2];
        cabinet.dataReserve = bytes[at + 3];
        at += 4 + U16(bytes, at);
    }
    cabinet.folders.clear();
    for (uint16_t i = 0; i < folderCount; ++i, at += FolderSize + folderReserve) {
        if (at + FolderSize + folderReserve > end)
            return "folder entries run past the end";
        cabinet.folders.push_back({U32(bytes, at), U16(bytes, at + 4), U16(bytes, at + 6)});
    }
    cabinet.files.clear();
    at = filesAt;
    for (uint16_t i = 0; i < fileCount; ++i) {
        const void* nul = at + FileSize < end ? std::memchr(&bytes[at + FileSize], 0, end - at - FileSize)
                                              : nullptr;
        if (!nul)
            return "file entries run past the end";
        CabinetFile file{reinterpret_cast<const char*>(&bytes[at + FileSize]), U32(bytes, at),
                         U32(bytes, at + 4), U16(bytes, at + 8)};
        if (file.folder >= folderCount)
            return file.name + " lies in folder " + std::to_string(file.folder) + " of " +
                   std::to_string(folderCount);
        at = static_cast<const uint8_t*>(nul) - bytes.data() + 1;
        cabinet.files.push_back(std::move(file));
    }
    cabinet.end = end;
    cabinet.bytes = std::move(bytes);
    return "";
}

std::string ReadStoredFile(const Cabinet& cabinet, const CabinetFile& file, Bytes& out)
{
    const CabinetFolder& folder = cabinet.folders[file.folder];
    if (IsCompressed(folder))
        return file.name + " is compressed";
    // A stored folder's blocks, one after another, are its stream; read up to the file's end.
    const uint64_t wanted = uint64_t(file.offset) + file.size;
    Bytes stream;
    size_t at = folder.dataAt;
    for (uint16_t i = 0; i < folder.blocks && stream.size() < wanted; ++i) {
        if (at + DataHeaderSize + cabinet.dataReserve > cabinet.end)
            return "data blocks run past the end";
        const uint16_t stored = U16(cabinet.bytes, at + 4), expanded = U16(cabinet.bytes, at + 6);
        at += DataHeaderSize + cabinet.dataReserve;
        if (at + stored > cabinet.end)
            return "data blocks run past the end";
        if (stored != expanded)
            return "a stored data block of " + std::to_string(stored) + " bytes expands to " +
                   std::to_string(expanded);
        stream.insert(stream.end(), cabinet.bytes.begin() + at, cabinet.bytes.begin() + at + stored);
        at += stored;
    }
    if (stream.size() < wanted)
        return file.name + " runs past its folder's data";
    out.assign(stream.begin() + file.offset, stream.begin() + wanted);
    return "";
}
