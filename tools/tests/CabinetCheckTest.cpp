// The cabinet check against cabinets made the way the build makes its samples (cesetup's
// setup file, gcab's cabinet), whole and damaged: each refusal names the file and why.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "CabinetCheck.h"
#include "HostFiles.h"
#include "SampleCabinet.h"

namespace {

using Bytes = std::string;

// The cabinet's fields are little-endian, as the host is.
void Put32(Bytes& b, size_t at, uint32_t v)
{
    b.replace(at, sizeof v, Bytes(reinterpret_cast<char*>(&v), sizeof v));
}
uint32_t Get32(const Bytes& b, size_t at)
{
    uint32_t v;
    std::memcpy(&v, b.data() + at, sizeof v);
    return v;
}

struct Sample {
    const char* application = "Korvane";
    uint32_t processor = 2577;  // what cesetup writes
    const char* gcabOptions = "-c";
    bool withSetupFile = true;
    size_t setupPatchAt = 0;  // where the setup file is changed to setupPatch, when not 0
    char setupPatch = 0;
};

// A cabinet as the build makes its sample: KORVANE.000 (cesetup) and the readme KORVANE.001.
Bytes MakeCabinet(const HostTempFolder& folder, const Sample& sample)
{
    const std::string setup = folder / "KORVANE.000", readme = folder / "KORVANE.001";
    const std::string cab = folder / "made.cab";
    const std::string cesetup = std::string(CESETUP) + " " + setup + " " + sample.application;
    EXPECT_EQ(0, std::system((cesetup + " Orbelwick Korvane readme.txt").c_str()));
    Bytes setupBytes = ReadBytes<Bytes>(setup);
    Put32(setupBytes, 20, sample.processor);
    if (sample.setupPatchAt)
        setupBytes[sample.setupPatchAt] = sample.setupPatch;
    WriteBytes(setup, setupBytes);
    WriteBytes(readme, "Korvane for the device.\n");
    const std::string files = sample.withSetupFile ? setup + " " + readme : readme;
    const std::string gcab = "gcab " + std::string(sample.gcabOptions) + " -n " + cab;
    EXPECT_EQ(0, std::system((gcab + " " + files).c_str()));
    return ReadBytes<Bytes>(cab);
}

// The cabinet with its first data block saying it expands to one byte more than it holds.
Bytes MisstatedBlock(Bytes cabinet)
{
    const size_t block = Get32(cabinet, 36);
    const uint32_t stored = Get32(cabinet, block + 4) & 0xFFFF;
    cabinet[block + 6] = static_cast<char>(stored + 1);
    cabinet[block + 7] = static_cast<char>((stored + 1) >> 8);
    return cabinet;
}

Bytes Patched(Bytes cabinet, size_t at, const std::string& value)
{
    cabinet.replace(at, value.size(), value);
    return cabinet;
}

Bytes Moved(Bytes cabinet, size_t at, uint32_t by)
{
    Put32(cabinet, at, Get32(cabinet, at) + by);
    return cabinet;
}

// The cabinet as the first of a set: the next cabinet's name and disk after the header,
// and the offsets that follow them moved on.
Bytes FirstOfSet(Bytes cabinet)
{
    const std::string next("NEXT.CAB\0DISK 2", 16);
    cabinet = Moved(Moved(Moved(cabinet, 8, next.size()), 16, next.size()), 36, next.size());
    cabinet[30] = 2;
    return cabinet.insert(36, next);
}

constexpr const char* GoodName = ProductCabinetName;
constexpr char Ini[] =
    "[CEAppManager]\r\nVersion   = 1.0\r\nComponent = Korvane\r\n\r\n"
    "[Korvane]\r\nDescription = Orbelwick Korvane\r\nCabFiles    = Korvane_US.ppc_arm.cab\r\n";
constexpr uint32_t FolderBlock = 0x8000;

TEST(CabinetCheck, RefusesWhatTheDeviceWouldRejectAndSaysWhy)
{
    HostTempFolder folder("cabcheck-test");
    WriteBytes(folder / "KORVANE.INI", Ini);
    const Bytes good = MakeCabinet(folder, {});
    const Bytes compressed = MakeCabinet(folder, {"Korvane", 2577, "-c -z"});
    // The readme's entry follows the setup file's: 16 bytes and "KORVANE.000".
    const uint32_t filesAt = Get32(good, 16), readmeAt = filesAt + 28, dataAt = Get32(good, 36);
    ASSERT_LT(filesAt, dataAt);
    const std::string malformed = "its entries or data are malformed (libmspack error 8)";
    const std::string notWhole = "not a whole cabinet: " + malformed;
    const std::string checksum = "KORVANE.000 cannot be extracted: a data block fails its checksum";
    const size_t compressedData = Get32(compressed, 36) + 8 + 50;

    // clang-format off
    struct {
        const char* what;
        const char* name;
        Bytes cabinet;
        std::string reason;  // empty: accepted
    } const cases[] = {
        {"the sample", GoodName, good, ""},
        {"for any processor", GoodName, MakeCabinet(folder, {"Korvane", 0}), ""},
        {"compressed", GoodName, compressed, ""},
        {"the name in another case", "korvane_us.ppc_arm.cab", good, ""},
        {"for a MIPS device", GoodName, MakeCabinet(folder, {"Korvane", 4000}),
         "setup file KORVANE.000 is for processor type 4000, not ARM"},
        {"compressed, for an SH3 device", GoodName,
         MakeCabinet(folder, {"Korvane", 10003, "-c -z"}),
         "setup file KORVANE.000 is for processor type 10003, not ARM"},
        {"renamed", "KORVANE.CAB", good,
         "installed as KORVANE.CAB, a name that KORVANE.INI's CabFiles "
         "(Korvane_US.ppc_arm.cab) does not give"},
        {"another application", GoodName, MakeCabinet(folder, {"CommonComponents"}),
         "application name \"CommonComponents\" is not KORVANE.INI's Component \"Korvane\""},
        {"a plain file", GoodName, "Korvane for the device.\n", "not a cabinet (no MSCF header)"},
        {"empty", GoodName, "", "not a cabinet (no MSCF header)"},
        {"truncated", GoodName, good.substr(0, good.size() - 1),
         "KORVANE.000 cannot be extracted: it runs past the cabinet's end"},
        {"cut in its header", GoodName, good.substr(0, 20),
         "not a whole cabinet: it runs past the cabinet's end"},
        {"cut in its file entries", GoodName, good.substr(0, filesAt + 20), notWhole},
        {"of a later cabinet version", GoodName, Patched(good, 25, "\2"),
         "unsupported cabinet version 2.3"},
        {"the first of a set", GoodName, FirstOfSet(good),
         "part of a cabinet set spanning several files"},
        {"without files", GoodName, Patched(good, 28, std::string(1, '\0')), notWhole},
        {"a file in a folder it lacks", GoodName, Patched(good, filesAt + 8, "\1"), notWhole},
        {"a file continued into the next cabinet", GoodName,
         Patched(good, readmeAt + 8, "\xFE\xFF"),
         "KORVANE.001 lies in no folder of this cabinet"},
        {"its file entries elsewhere", GoodName, Moved(good, 16, 1),
         "its file entries do not follow its 1 folder entries"},
        {"one folder more than it has", GoodName, Patched(good, 26, "\2"), notWhole},
        {"a file a block past its folder's data", GoodName, Moved(good, readmeAt + 4, FolderBlock),
         "KORVANE.001 cannot be extracted: its data does not decompress within its folder"},
        {"a file of 4 GB", GoodName, Moved(good, readmeAt, 0xFFFFFFFF - 24),
         "KORVANE.001 cannot be extracted: " + malformed},
        {"a bit flipped in its data", GoodName, Patched(good, dataAt + 8 + 50, "\x40"), checksum},
        {"a bit flipped in its compressed data", GoodName,
         Patched(compressed, compressedData, std::string(1, compressed[compressedData] ^ 1)),
         checksum},
        {"a stored block that would expand", GoodName, MisstatedBlock(good), checksum},
        {"two names that differ in case", GoodName, Patched(good, readmeAt + 16, "korvane.000"),
         "holds two files named korvane.000 (names compare without case)"},
        {"a control character in a name", GoodName, Patched(good, readmeAt + 16, "\n"),
         "holds a file name with a control character"},
        {"a setup file without its mark", GoodName,
         MakeCabinet(folder, {"Korvane", 2577, "-c", true, 3, 'X'}),
         "setup file KORVANE.000 is not a Windows CE setup file (no MSCE header)"},
        {"a setup file's name past its end", GoodName,
         MakeCabinet(folder, {"Korvane", 2577, "-c", true, 87, 0x7F}),
         "setup file KORVANE.000 has its application name outside the file"},
        {"a control character in its application name", GoodName,
         MakeCabinet(folder, {"Korvane", 2577, "-c", true, 101, '\n'}),
         "setup file KORVANE.000 has a control character in its application name"},
        {"no setup file", GoodName, MakeCabinet(folder, {"Korvane", 2577, "-c", false}),
         "holds no Windows CE setup file (.000)"},
    };
    // clang-format on
    // The damaged cabinets stay where the build asks, as seeds of the cabinet check's fuzzing.
    const char* keep = std::getenv("KORVANE_KEEP_CABINETS");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder / c.name;
        WriteBytes(path, c.cabinet);
        EXPECT_EQ(c.reason.empty() ? "" : path + ": " + c.reason,
                  CheckCabinet(path, folder / "KORVANE.INI", c.name));
        std::remove(path.c_str());
        if (keep && !c.reason.empty())
            WriteBytes(std::string(keep) + "/damaged-" + std::to_string(&c - cases) + ".cab",
                       c.cabinet);
    }
}

}  // namespace
