// integrity: what the build writes so that the setup can check itself and its payload.
//   integrity stamp PROGRAM.EXE   appends the trailer (the mark and the CRC-32 of the file
//                                 as built) and sets the PE checksum
//   integrity digest FILE OUT     writes FILE's length and CRC-32 (8 bytes, little-endian):
//                                 what the setup compares each extracted file with
// Both write the formats the setup reads, with the setup's own code (format/).
#include <cstdio>

#include "HostFiles.h"
#include "format/Crc32.h"
#include "format/LittleEndian.h"
#include "format/PayloadRecord.h"
#include "format/SetupFileStamp.h"

namespace {

using Bytes = std::vector<uint8_t>;

int Stamp(const char* path, Bytes& file)
{
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

int Digest(const Bytes& file, const char* out)
{
    Crc32 crc;
    crc.Update(file.data(), file.size());
    Bytes record(PayloadRecordSize);
    WritePayloadRecord({static_cast<uint32_t>(file.size()), crc.Value()}, record.data());
    return WriteBytes(out, record) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if ((command != "stamp" || argc != 3) && (command != "digest" || argc != 4)) {
        std::fprintf(stderr, "usage: integrity stamp PROGRAM.EXE | integrity digest FILE OUT\n");
        return 2;
    }
    Bytes file;
    if (!ReadWholeFile(argv[2], file)) {
        std::fprintf(stderr, "integrity: cannot read %s\n", argv[2]);
        return 1;
    }
    return command == "stamp" ? Stamp(argv[2], file) : Digest(file, argv[3]);
}
