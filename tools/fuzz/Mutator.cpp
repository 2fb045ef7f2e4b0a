// Mutator: where a change goes, and what it is.
#include "Mutator.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr uint32_t Edges[] = {0,      1,      0x7F,       0x80,       0xFF,       0x7FFF,
                              0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
constexpr uint32_t FolderBlock = 0x8000;  // a cabinet folder's block: a field moved one block on
constexpr size_t MaxChanges = 4, HotShare = 4;  // of every HotShare changes, all but one are hot
constexpr size_t CutOneIn = 10;                 // one mutant in so many is also cut short

void Put(Bytes& bytes, size_t at, uint32_t value, size_t width)
{
    for (size_t i = 0; i < width && at + i < bytes.size(); ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t Get32(const Bytes& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;)
        value = value << 8 | (at + i < bytes.size() ? bytes[at + i] : 0);
    return value;
}

}  // namespace

size_t Mutator::Place(const Bytes& bytes, const std::vector<ByteRange>& hot)
{
    if (hot.empty() || Below(HotShare) == 0)
        return Below(bytes.size());
    const ByteRange& range = hot[Below(hot.size())];
    return std::min(range.at + Below(range.size), bytes.size() - 1);
}

void Mutator::Change(Bytes& bytes, size_t at)
{
    switch (Below(6)) {
    case 0:
        bytes[at] ^= static_cast<uint8_t>(1u << Below(8));
        break;
    case 1:
        Put(bytes, at, Edges[Below(std::size(Edges))], 1);
        break;
    case 2:
        Put(bytes, at, Edges[Below(std::size(Edges))], 2);
        break;
    case 3:
        Put(bytes, at & ~size_t{3}, Edges[Below(std::size(Edges))], 4);
        break;
    case 4:
        Put(bytes, at & ~size_t{3}, Get32(bytes, at & ~size_t{3}) + FolderBlock, 4);
        break;
    default: {  // a run of bytes copied over another place, as a repeated entry would be
        const size_t from = Below(bytes.size());
        const size_t length = std::min({Below(64) + 1, bytes.size() - from, bytes.size() - at});
        std::memmove(bytes.data() + at, bytes.data() + from, length);
    }
    }
}

Bytes Mutator::Mutate(const Bytes& original, const std::vector<ByteRange>& hot)
{
    Bytes bytes = original;
    if (bytes.empty())
        return bytes;
    for (size_t changes = Below(MaxChanges) + 1; changes-- > 0;)
        Change(bytes, Place(bytes, hot));
    // Now and then a cut, as a download that stopped would leave it.
    if (Below(CutOneIn) == 0)
        bytes.resize(Below(bytes.size()));
    return bytes;
}
