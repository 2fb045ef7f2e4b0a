// Fuzz target: the SZDD packer. Oracle: what it packs expands back through libmspack's SZDD
// decompressor to exactly the input, and is never larger than the input stored as
// literals (a flag byte for every eight) behind the header.
#include <cstdlib>

#include "LibmspackSzdd.h"

constexpr size_t LiteralsPerFlag = 8;
static const HostTempFolder folder("fuzz-szdd");

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes input(data, data + size), packed = SzddCompress(input);
    WriteBytes(folder / "packed", packed);
    if (packed.size() > SzddHeaderSize + size + (size + LiteralsPerFlag - 1) / LiteralsPerFlag ||
        ExpandWithLibmspack(folder / "packed", folder / "expanded") != input)
        std::abort();  // the input, kept by libFuzzer, shows which
    return 0;
}
