// CRC-32 as ZIP and PNG compute it (reflected polynomial 0xEDB88320, all bits set at the
// start and inverted at the end). Plain C++ without Windows headers: the host tools that
// stamp the setup and digest its payload compute the same values with this same code.
#pragma once

#include <stddef.h>
#include <stdint.h>

class Crc32 {
public:
    Crc32();
    void Update(const void* data, size_t size);
    uint32_t Value() const { return ~state; }

private:
    static constexpr int TableSize = 256;

    // The remainders of the 256 byte values, made per object: a static table would be
    // stored in the program's file.
    uint32_t table[TableSize];
    uint32_t state = 0xFFFFFFFFu;
};
