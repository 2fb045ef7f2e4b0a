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
    // Four bytes a step: the reads back and the file check go through every byte.
    static constexpr int Slices = 4;

    // The remainders of the 256 byte values, and of each followed by one, two and three
    // zero bytes. Made by the first object for all: zeroed data takes no room in the
    // program's file, where a table written out would.
    static uint32_t table[Slices][TableSize];
    uint32_t state = 0xFFFFFFFFu;
};
