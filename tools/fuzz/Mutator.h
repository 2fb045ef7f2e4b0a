// Mutator: damage to a file's bytes from a fixed seed, the same mutants on every machine:
// flipped bits, bytes and fields set to the values that break arithmetic on sizes and
// offsets, a field moved 32 KB on, a copied run of bytes, a cut.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct ByteRange {
    size_t at, size;
};

class Mutator {
public:
    explicit Mutator(uint32_t seed) : random(seed) {}
    // A copy of `original` with one to four changes, most of them inside `hot`: the
    // headers and tables a reader follows.
    Bytes Mutate(const Bytes& original, const std::vector<ByteRange>& hot);

private:
    size_t Below(size_t bound) { return bound ? random() % bound : 0; }
    size_t Place(const Bytes& bytes, const std::vector<ByteRange>& hot);
    void Change(Bytes& bytes, size_t at);

    std::mt19937 random;  // its sequence is fixed by the standard
};
