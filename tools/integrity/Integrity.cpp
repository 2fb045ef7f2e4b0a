// integrity: what the build writes so that the setup can check itself and its payload.
//   integrity stamp PROGRAM.EXE   appends the trailer (the mark and the CRC-32 of the file
//                                 as built) and sets the PE checksum
//   integrity digest FILE OUT     writes FILE's length and CRC-32 (8 bytes, little-endian):
//                                 what the setup compares each extracted file with
// Both write the formats the setup reads, with the setup's own code (format/).
#include <cstdio>
#include <string>
#include <vector>

#include "HostFiles.h"
#include "format/Crc32.h"
#include "format/LittleEndian.h"
#include "format/PayloadRecord.h"
#include "format/SetupFileStamp.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Reads the file at `path`, saying so when it cannot.
bool Read(const char* path, Bytes& file)
{
    if (ReadWholeFile(path, file))
        return true;
    std::fprintf(stderr, "integrity: cannot read %s\n", path);
    return false;
}

int Stamp(const char* path)
{
    Bytes file;
    if (!Read(path, file))
        return 1;
    SetupFileLayout layout = ReadSetupFileLayout(file.data(), file.size());
    if (!layout.valid || file.size() < HeaderReadSize || layout.certificateSize != 0) {
        std::fprintf(stderr, "integrity: %s is no unsigned Windows program\n", path);
        return 1;
    }
    // Stamped once, right after the link: a second trailer would make the first one stale.
    if (EndsWithTrailer(file.data(), file.size())) {
        std::fprintf(stderr, "integrity: %s is stamped already\n", path);
        return 1;
    }
    uint32_t stampedEnd = static_cast<uint32_t>(file.size());
    SetupFileDigest contents(layout, stampedEnd);
    contents.Update(file.data(), file.size());
    unsigned char trailer[TrailerSize];
    WriteTrailer(trailer, contents.Crc());
    file.insert(file.end(), std::begin(trailer), std::end(trailer));

    SetupFileDigest whole(layout, stampedEnd);
    whole.Update(file.data(), file.size());
    WriteLittleEndian32(file.data() + layout.checksumOffset,
                        whole.PeChecksum(static_cast<uint32_t>(file.size())));
    return WriteBytes(path, file) ? 0 : 1;
}

int Digest(const char* path, const char* out)
{
    Bytes file;
    if (!Read(path, file))
        return 1;
    Crc32 crc;
    crc.Update(file.data(), file.size());
    Bytes record(PayloadRecordSize);
    WritePayloadRecord({static_cast<uint32_t>(file.size()), crc.Value()}, record.data());
    return WriteBytes(out, record) ? 0 : 1;
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
