// Bytes built little-endian, as Windows file formats hold their numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ByteWriter : std::vector<uint8_t> {
    using std::vector<uint8_t>::vector;
    void U16(uint32_t v) { PutU16(Grow(2), v); }
    void U32(uint32_t v) { PutU32(Grow(4), v); }
    // The text and its NUL.
    void Text(const std::string& text)
    {
        insert(end(), text.c_str(), text.c_str() + text.size() + 1);
    }
    void PutU16(size_t at, uint32_t v)
    {
        (*this)[at] = v & 0xFF;
        (*this)[at + 1] = (v >> 8) & 0xFF;
    }
    void PutU32(size_t at, uint32_t v)
    {
        PutU16(at, v & 0xFFFF);
        PutU16(at + 2, v >> 16);
    }

private:
    size_t Grow(size_t by)
    {
        resize(size() + by);
        return size() - by;
    }
};
