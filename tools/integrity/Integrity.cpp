// integrity: what the build writes so that the setup can check itself and its payload.
//   integrity stamp PROGRAM.EXE   appends the trailer (the mark and the CRC-32 of the file
//                                 as built) and sets the PE checksum
//   integrity digest FILE OUT     writes FILE's length and CRC-32 (8 bytes, little-endian):
//                                 what the setup compares each extracted file with
// Both use the setup's own code for the CRC-32 and the checksum.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "HostFiles.h"
#include "support/Crc32.h"
#include "support/SetupFileDigest.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool Write(const char* path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void PutLittleEndian32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

int Stamp(const char* path)
{
    Bytes file;
    if (!ReadWholeFile(path, file)) {
        std::fprintf(stderr, "integrity: cannot read %s\n", path);
        return 1;
    }
    SetupFileLayout layout = ReadSetupFileLayout(file.data(), file.size());
    if (!layout.valid || file.size() < HeaderReadSize || layout.certificateSize != 0) {
        std::fprintf(stderr, "integrity: %s is no unsigned Windows program\n", path);
        return 1;
    }
    // Stamped once, right after the link: a second trailer would make the first one stale.
    bool stamped =
        file.size() >= TrailerSize &&
        std::equal(std::begin(TrailerMark), std::end(TrailerMark), file.end() - TrailerSize);
    if (stamped) {
        std::fprintf(stderr, "integrity: %s is stamped already\n", path);
        return 1;
    }
    uint32_t stampedEnd = static_cast<uint32_t>(file.size());
    SetupFileDigest contents(layout, stampedEnd);
    contents.Update(file.data(), file.size());
    file.insert(file.end(), std::begin(TrailerMark), std::end(TrailerMark));
    file.resize(file.size() + 4);
    PutLittleEndian32(file, file.size() - 4, contents.Crc());

    SetupFileDigest whole(layout, stampedEnd);
    whole.Update(file.data(), file.size());
    PutLittleEndian32(file, layout.checksumOffset,
                      whole.PeChecksum(static_cast<uint32_t>(file.size())));
    return Write(path, file) ? 0 : 1;
}

int Digest(const char* path, const char* out)
{
    Bytes file;
    if (!ReadWholeFile(path, file)) {
        std::fprintf(stderr, "integrity: cannot read %s\n", path);
        return 1;
    }
    Crc32 crc;
    crc.Update(file.data(), file.size());
    Bytes digest(8);
    PutLittleEndian32(digest, 0, static_cast<uint32_t>(file.size()));
    PutLittleEndian32(digest, 4, crc.Value());
    return Write(out, digest) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "stamp" && argc == 3)
        return Stamp(argv[2]);
    if (command == "digest" && argc == 4)
        return Digest(argv[2], argv[3]);
    std::fprintf(stderr, "usage: integrity stamp PROGRAM.EXE | integrity digest FILE OUT\n");
    return 2;
}
