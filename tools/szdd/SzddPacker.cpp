// The SZDD packer. The decoder's window is 4,096 bytes of blanks, written from position
// 4,080 on (16 bytes before its end: so the platform's LZ32 and libmspack expand it); a literal
// costs a flag bit and a byte, a match a flag bit and two bytes, whatever its length (3 to 18) or
// distance (1 to 4,096). Modelled as a linear history of 4,096 blanks followed by the input, every
// match is a copy from at most 4,096 bytes back, and a shortest path over the exact byte cost (flag
// bytes included) gives the smallest output.
#include "SzddPacker.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "ByteWriter.h"

const uint8_t SzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};

namespace {

constexpr int WindowSize = 4096;
constexpr int FirstWritePosition = 4096 - 16;
constexpr uint8_t Blank = 0x20;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 18;
constexpr int TokensPerFlag = 8;
constexpr uint8_t ModeA = 'A';

struct Match {
    int length = 0;  // below MinMatch: none
    int source = 0;  // position in the history
};

// The longest match at each input position, found through chains of equal 3-byte
// prefixes, nearest first.
std::vector<Match> LongestMatches(const Bytes& history, int start)
{
    const int size = static_cast<int>(history.size());
    constexpr int HashSize = 1 << 16;
    std::vector<int> head(HashSize, -1);
    std::vector<int> previous(size, -1);
    auto hash = [&history](int at) {
        return (history[at] << 8 ^ history[at + 1] << 4 ^ history[at + 2]) & (HashSize - 1);
    };
    auto insert = [&](int at) {
        if (at + MinMatch <= size)
            previous[at] = std::exchange(head[hash(at)], at);
    };
    for (int at = 0; at < start; ++at)
        insert(at);

    std::vector<Match> matches(size - start);
    for (int at = start; at < size; ++at) {
        Match& best = matches[at - start];
        const int limit = std::min(MaxMatch, size - at);
        if (limit >= MinMatch) {
            for (int candidate = head[hash(at)]; candidate >= 0 && at - candidate <= WindowSize;
                 candidate = previous[candidate]) {
                int length = 0;
                while (length < limit && history[candidate + length] == history[at + length])
                    ++length;
                if (length > best.length)
                    best = {length, candidate};
                if (length == limit)  // none longer can follow
                    break;
            }
        }
        insert(at);
    }
    return matches;
}

// cost[i][k]: the fewest bytes for input i.. when k tokens of the current flag group are
// already used. A token opening a group also pays for the group's flag byte. The steps of
// the cheapest parse, in order: 1 for a literal, else the length of a match.
std::vector<int> ShortestPath(const std::vector<Match>& matches)
{
    const int n = static_cast<int>(matches.size());
    // The row past the input costs nothing; every other is filled in before it is read.
    std::vector<uint32_t> cost((n + 1) * TokensPerFlag, 0);
    std::vector<uint8_t> choice(n * TokensPerFlag, 1);
    for (int i = n - 1; i >= 0; --i) {
        for (int k = 0; k < TokensPerFlag; ++k) {
            const uint32_t flag = k == 0 ? 1 : 0;
            const int next = (k + 1) % TokensPerFlag;
            uint32_t best = flag + 1 + cost[(i + 1) * TokensPerFlag + next];
            uint8_t bestLength = 1;
            for (int length = MinMatch; length <= matches[i].length; ++length) {
                uint32_t viaMatch = flag + 2 + cost[(i + length) * TokensPerFlag + next];
                if (viaMatch < best) {
                    best = viaMatch;
                    bestLength = static_cast<uint8_t>(length);
                }
            }
            cost[i * TokensPerFlag + k] = best;
            choice[i * TokensPerFlag + k] = bestLength;
        }
    }
    std::vector<int> steps;
    for (int i = 0, k = 0; i < n; k = (k + 1) % TokensPerFlag, i += steps.back())
        steps.push_back(choice[i * TokensPerFlag + k]);
    return steps;
}

}  // namespace

bool BeginsWithSzddMagic(const Bytes& data)
{
    return data.size() >= sizeof SzddMagic &&
           std::memcmp(data.data(), SzddMagic, sizeof SzddMagic) == 0;
}

Bytes SzddCompress(const Bytes& input)
{
    ByteWriter out(SzddMagic, SzddMagic + sizeof SzddMagic);
    out.push_back(ModeA);
    out.push_back(0);  // no replaced last character of the name
    out.U32(static_cast<uint32_t>(input.size()));

    Bytes history(WindowSize, Blank);
    history.insert(history.end(), input.begin(), input.end());
    const std::vector<Match> matches = LongestMatches(history, WindowSize);

    size_t flagAt = 0;
    int tokens = 0, at = WindowSize;
    for (int length : ShortestPath(matches)) {
        if (tokens % TokensPerFlag == 0) {
            flagAt = out.size();
            out.push_back(0);
        }
        if (length == 1) {
            out[flagAt] |= 1 << (tokens % TokensPerFlag);
            out.push_back(history[at]);
        } else {
            // The history position as the decoder's window position.
            const int source = matches[at - WindowSize].source;
            int position = (source - WindowSize + FirstWritePosition) & (WindowSize - 1);
            out.push_back(static_cast<uint8_t>(position));
            out.push_back(static_cast<uint8_t>((position >> 4 & 0xF0) | (length - MinMatch)));
        }
        at += length;
        ++tokens;
    }
    return out;
}

Bytes PackForPayload(const Bytes& input)
{
    Bytes packed = SzddCompress(input);
    return packed.size() < input.size() || BeginsWithSzddMagic(input) ? packed : input;
}
