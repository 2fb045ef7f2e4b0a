// Fuzz target: the SZDD packer. Oracle: what it packs expands back through libmspack's SZDD
// decompressor to exactly the input, and is never larger than the input stored as
// literals (a flag byte for every eight) behind the header.
#include <cstdio>
#include <cstdlib>

#include "HostFiles.h"
#include "LibmspackSzdd.h"
#include "SzddPacker.h"

namespace {

constexpr size_t LiteralsPerFlag = 8;
const HostTempFolder folder("fuzz-szdd");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes input(data, data + size);
    const Bytes packed = SzddCompress(input);
    const size_t stored = SzddHeaderSize + size + (size + LiteralsPerFlag - 1) / LiteralsPerFlag;
    WriteBytes(folder / "packed", packed);
    const char* broken = packed.size() > stored ? "larger than the input stored"
                         : ExpandWithLibmspack(folder / "packed", folder / "expanded") != input
                             ? "libmspack does not expand it back to the input"
                             : nullptr;
    if (broken) {
        std::fprintf(stderr, "ORACLE BROKEN: %s\n", broken);
        std::abort();
    }
    return 0;
}
