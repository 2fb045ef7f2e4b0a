// A Microsoft cabinet's directory, read with every entry checked against the cabinet's
// end, and the bytes of a file stored in it without compression.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct CabinetFolder {
    uint32_t dataAt;       // the first data block
    uint16_t blocks;
    uint16_t compression;  // the low four bits: 0 none, 1 MSZIP, 2 Quantum, 3 LZX
};

inline bool IsCompressed(const CabinetFolder& folder) { return (folder.compression & 0x000F) != 0; }

struct CabinetFile {
    std::string name;
    uint32_t size;
    uint32_t offset;  // in its folder's uncompressed stream
    uint16_t folder;
};

struct Cabinet {
    Bytes bytes;
    uint32_t end = 0;  // the header's cabinet size: no entry may reach past it
    uint8_t dataReserve = 0;
    std::vector<CabinetFolder> folders;
    std::vector<CabinetFile> files;
};

// Reads the header, the folders and the files of `bytes`; "" or why it is no cabinet.
std::string ReadCabinet(Bytes bytes, Cabinet& cabinet);

// The bytes of a file in a folder stored without compression; "" or why they cannot be read.
std::string ReadStoredFile(const Cabinet& cabinet, const CabinetFile& file, Bytes& out);
