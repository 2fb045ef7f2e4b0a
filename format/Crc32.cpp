// Crc32: four bytes at a time through the tables of remainders (slicing by four), the
// bytes that are left one at a time.
#include "format/Crc32.h"

namespace {

constexpr uint32_t Polynomial = 0xEDB88320u;

}  // namespace

uint32_t Crc32::table[Crc32::Slices][Crc32::TableSize];

Crc32::Crc32()
{
    if (table[0][1] != 0)
        return;  // made already: no byte value but 0 has a remainder of 0
    for (uint32_t value = 0; value < TableSize; ++value) {
        uint32_t remainder = value;
        for (int bit = 0; bit < 8; ++bit)
            remainder = (remainder & 1) ? (remainder >> 1) ^ Polynomial : remainder >> 1;
        table[0][value] = remainder;
    }
    for (int slice = 1; slice < Slices; ++slice) {
        for (int value = 0; value < TableSize; ++value) {
            uint32_t before = table[slice - 1][value];
            table[slice][value] = (before >> 8) ^ table[0][before & 0xFF];
        }
    }
}

void Crc32::Update(const void* data, size_t size)
{
    static_assert(Slices == 4, "the step below reads four bytes and four tables");
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint32_t value = state;
    for (; size >= Slices; size -= Slices, bytes += Slices) {
        value ^= static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                 static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
        value = table[3][value & 0xFF] ^ table[2][(value >> 8) & 0xFF] ^
                table[1][(value >> 16) & 0xFF] ^ table[0][value >> 24];
    }
    for (; size > 0; --size, ++bytes)
        value = table[0][(value ^ *bytes) & 0xFF] ^ (value >> 8);
    state = value;
}
