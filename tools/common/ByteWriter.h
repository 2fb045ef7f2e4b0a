// Bytes built little-endian, as Windows file formats hold their numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ByteWriter : std::vector<uint8_t> {
    using std::vector<uint8_t>::vector;
    void U16(uint32_t v) { push_back(v & 0xFF), push_back(v >> 8 & 0xFF); }
    void U32(uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
    // The text and its NUL.
    void Text(const std::string& text) { insert(end(), text.begin(), text.end()), push_back(0); }
    // A number written over bytes already there.
    void PutU16(size_t at, uint32_t v) { (*this)[at] = v & 0xFF, (*this)[at + 1] = v >> 8 & 0xFF; }
    void PutU32(size_t at, uint32_t v) { PutU16(at, v & 0xFFFF), PutU16(at + 2, v >> 16); }
};
