// The files of a whole Microsoft cabinet, extracted in memory by libmspack, which checks
// the structure, each folder's data and every data block's checksum on the way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline uint32_t U16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
inline uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

struct CabinetFile {
    std::string name;
    Bytes data;
};

// Every file of the cabinet `bytes`, in its list's order; "" or why it is no whole cabinet.
std::string ExtractCabinet(Bytes bytes, std::vector<CabinetFile>& files);
