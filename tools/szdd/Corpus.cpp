// The packer's corpus, made from a fixed seed so that every run sees the same bytes.
#include "Corpus.h"

#include <algorithm>

std::vector<std::pair<std::string, Bytes>> MakeCorpus()
{
    const std::string line =
        "Korvane shows your own maps on the Pocket PC: pushpins, zoom and full screen.\r\n";
    std::string lines;
    for (int i = 0; lines.size() < 20000; ++i)
        lines += std::to_string(i) + ". " + line;
    const Bytes text(lines.begin(), lines.end());

    // A small linear congruential generator: enough for bytes without structure.
    uint32_t state = 20031117u;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<uint8_t>(state >> 16);
    };
    Bytes randomBytes(50000);
    std::generate(randomBytes.begin(), randomBytes.end(), next);

    // A block of noise repeated: every match lies exactly one window back.
    Bytes block(4096);
    std::generate(block.begin(), block.end(), next);
    Bytes periodic;
    for (int i = 0; i < 6; ++i)
        periodic.insert(periodic.end(), block.begin(), block.end());

    // Runs of blanks and of one byte that outgrow the window and cross its edge.
    Bytes runs(4078, ' ');
    runs.insert(runs.end(), 40, 'x');
    runs.insert(runs.end(), 9000, ' ');
    runs.insert(runs.end(), 5000, 0);
    runs.push_back('!');

    Bytes mixed = text;
    for (int i = 0; i < 3000; ++i)
        mixed.push_back(next() & 0x0F);

    return {
        {"empty", Bytes()},          {"one-byte", Bytes{'K'}},
        {"blank-byte", Bytes{' '}},  {"eighteen-blanks", Bytes(18, ' ')},
        {"window-edge-runs", runs},  {"period-4096", periodic},
        {"random", randomBytes},     {"text", text},
        {"text-and-nibbles", mixed}, {"szdd-magic", Bytes(SzddMagic, SzddMagic + 8)},
    };
}
