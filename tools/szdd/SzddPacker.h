// The SZDD packer: the LZSS of the published SZDD format ("A" mode), parsed optimally.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The 8 bytes every SZDD file starts with.
extern const uint8_t SzddMagic[8];
constexpr size_t SzddHeaderSize = 14;

// Always SZDD: the 14-byte header with the true expanded length, then the stream of
// the smallest size the format allows. An empty input gives the bare header.
Bytes SzddCompress(const Bytes& input);

// What a payload stores: the SZDD form when it is smaller than the input, else the input
// itself; an input that begins with the SZDD magic is always compressed, so that a plain
// payload is never mistaken for a compressed one.
Bytes PackForPayload(const Bytes& input);

bool BeginsWithSzddMagic(const Bytes& data);
