// Writes the setup file (".000") that opens a Windows CE installation cabinet: it tells
// the device which application this is, for which processor, and where each of the
// cabinet's other files goes.
//   cesetup OUT APPNAME PROVIDER FOLDER FILENAME...
// FOLDER is created under \Program Files on the device; the cabinet's file .001 is
// installed as the first FILENAME, .002 as the second, and so on.
#include <cstdint>
#include <cstdio>
#include <string>

#include "ByteWriter.h"
#include "HostFiles.h"

namespace {

constexpr uint32_t HeaderSize = 100;
constexpr uint32_t StrongArm = 2577;
constexpr uint16_t ProgramFilesString = 1;  // "%CE1%": \Program Files
constexpr uint16_t FolderString = 2;
constexpr uint16_t FolderDir = 1;
constexpr uint32_t FileFlags = 0;

uint16_t Length(const std::string& s) { return static_cast<uint16_t>(s.size() + 1); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: cesetup OUT APPNAME PROVIDER FOLDER FILENAME...\n");
        return 2;
    }
    const std::string appName = argv[2], provider = argv[3], folder = argv[4];

    ByteWriter w = {'M', 'S', 'C', 'E'};
    w.resize(HeaderSize);
    w.PutU32(16, 1);
    w.PutU32(20, StrongArm);
    w.PutU32(24, 3);  // at least Windows CE 3.0; no upper limit, no build limits

    // The application name and the provider, then the strings the sections use.
    const uint32_t appAt = static_cast<uint32_t>(w.size());
    w.Text(appName);
    const uint32_t providerAt = static_cast<uint32_t>(w.size());
    w.Text(provider);

    const uint32_t stringsAt = static_cast<uint32_t>(w.size());
    const std::string programFiles = "%CE1%";
    w.U16(ProgramFilesString), w.U16(Length(programFiles)), w.Text(programFiles);
    w.U16(FolderString), w.U16(Length(folder)), w.Text(folder);

    const uint32_t dirsAt = static_cast<uint32_t>(w.size());
    w.U16(FolderDir), w.U16(3 * 2);
    w.U16(ProgramFilesString), w.U16(FolderString), w.U16(0);

    const uint32_t filesAt = static_cast<uint32_t>(w.size());
    for (int number = 1; number < argc - 4; ++number) {
        const std::string file = argv[4 + number];
        w.U16(number), w.U16(FolderDir), w.U16(number), w.U32(FileFlags);
        w.U16(Length(file)), w.Text(file);
    }

    // How many strings, dirs and files there are, and where each kind starts.
    w.PutU16(48, 2), w.PutU16(50, 1), w.PutU16(52, argc - 5);
    w.PutU32(60, stringsAt), w.PutU32(64, dirsAt), w.PutU32(68, filesAt);
    w.PutU16(84, static_cast<uint16_t>(appAt)), w.PutU16(86, Length(appName));
    w.PutU16(88, static_cast<uint16_t>(providerAt)), w.PutU16(90, Length(provider));
    w.PutU32(8, static_cast<uint32_t>(w.size()));

    if (WriteBytes(argv[1], w))
        return 0;
    std::fprintf(stderr, "cesetup: cannot write %s\n", argv[1]);
    return 1;
}
