// Crc32: a byte at a time through the table of remainders.
#include "support/Crc32.h"

namespace {

constexpr uint32_t Polynomial = 0xEDB88320u;

}  // namespace

Crc32::Crc32()
{
    for (uint32_t value = 0; value < TableSize; ++value) {
        uint32_t remainder = value;
        for (int bit = 0; bit < 8; ++bit)
            remainder = (remainder & 1) ? (remainder >> 1) ^ Polynomial : remainder >> 1;
        table[value] = remainder;
    }
}

void Crc32::Update(const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint32_t value = state;
    for (size_t i = 0; i < size; ++i)
        value = table[(value ^ bytes[i]) & 0xFF] ^ (value >> 8);
    state = value;
}
