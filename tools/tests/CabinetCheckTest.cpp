// The cabinet check against cabinets made the way the build makes its samples (cesetup's
// setup file, gcab's cabinet), whole and damaged: each refusal names the file and why.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "HostFiles.h"
#include "CabinetCheck.h"

namespace {

// A folder of the test's own under /tmp.
struct TempFolder : HostTempFolder {
    TempFolder() : HostTempFolder("cabcheck-test") {}
};

using Bytes = std::string;

void Write(const std::string& path, const Bytes& data)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

Bytes Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}

uint32_t Get32(const Bytes& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return v;
}

struct Sample {
    const char* application = "Korvane";
    uint32_t processor = 2577;  // what cesetup writes
    const char* gcabOptions = "-c";
    bool withSetupFile = true;
};

// A cabinet as the build makes its sample: KORVANE.000 (cesetup) and the readme KORVANE.001.
Bytes MakeCabinet(const TempFolder& folder, const Sample& sample)
{
    const std::string setup = folder / "KORVANE.000", readme = folder / "KORVANE.001", cab = folder / "made.cab";
    EXPECT_EQ(0, std::system((std::string(CESETUP) + " " + setup + " " + sample.application +
                              " Orbelwick Korvane readme.txt").c_str()));
    Bytes setupBytes = Read(setup);
    Put32(setupBytes, 20, sample.processor);
    Write(setup, setupBytes);
    Write(readme, "Korvane for the device.\n");
    const std::string files = sample.withSetupFile ? setup + " " + readme : readme;
    EXPECT_EQ(0, std::system(("gcab " + std::string(sample.gcabOptions) + " -n " + cab + " " + files).c_str()));
    return Read(cab);
}

// The cabinet with its first data block saying it expands to one byte more than it holds.
Bytes MisstatedBlock(Bytes cabinet)
{
    const size_t block = Get32(cabinet, 36);
    const uint32_t stored = Get32(cabinet, block + 4) & 0xFFFF;
    cabinet[block + 6] = static_cast<char>(stored + 1), cabinet[block + 7] = static_cast<char>((stored + 1) >> 8);
    return cabinet;
}

Bytes Patched(Bytes cabinet, size_t at, char value)
{
    cabinet[at] = value;
    return cabinet;
}

// The first `size` bytes of a cabinet whose header says it is that long.
Bytes CutAndRestated(Bytes cabinet, size_t size)
{
    cabinet.resize(size);
    Put32(cabinet, 8, static_cast<uint32_t>(size));
    return cabinet;
}

constexpr char GoodName[] = "KORVANE_US.PPC_ARM.CAB";
constexpr char Ini[] = "[CEAppManager]\r\nVersion   = 1.0\r\nComponent = Korvane\r\n\r\n"
                       "[Korvane]\r\nDescription = Orbelwick Korvane\r\nCabFiles    = Korvane_US.ppc_arm.cab\r\n";

TEST(CabinetCheck, RefusesWhatTheDeviceWouldRejectAndSaysWhy)
{
    TempFolder folder;
    Write(folder / "KORVANE.INI", Ini);
    const Bytes good = MakeCabinet(folder, {});
    const uint32_t filesAt = Get32(good, 16), dataAt = Get32(good, 36), blockSize = Get32(good, dataAt + 4) & 0xFFFF;
    ASSERT_LT(filesAt, dataAt);

    struct {
        const char* what;
        const char* name;
        Bytes cabinet;
        std::string reason;  // empty: accepted
    } const cases[] = {
        {"the sample", GoodName, good, ""},
        {"for any processor", GoodName, MakeCabinet(folder, {"Korvane", 0}), ""},
        {"the name in another case", "korvane_us.ppc_arm.cab", good, ""},
        {"for a MIPS device", GoodName, MakeCabinet(folder, {"Korvane", 4000}),
         "setup file KORVANE.000 is for processor type 4000, not ARM"},
        {"for an SH3 device", GoodName, MakeCabinet(folder, {"Korvane", 10003}),
         "setup file KORVANE.000 is for processor type 10003, not ARM"},
        {"renamed", "KORVANE.CAB", good,
         "installed as KORVANE.CAB, a name that KORVANE.INI's CabFiles (Korvane_US.ppc_arm.cab) does not give"},
        {"another application", GoodName, MakeCabinet(folder, {"CommonComponents"}),
         "application name \"CommonComponents\" is not KORVANE.INI's Component \"Korvane\""},
        {"a plain file", GoodName, "Korvane for the device.\n", "not a cabinet (no MSCF header)"},
        {"empty", GoodName, "", "not a cabinet (no MSCF header)"},
        {"truncated", GoodName, good.substr(0, good.size() - 1),
         "truncated: " + std::to_string(good.size() - 1) + " bytes of a " + std::to_string(good.size()) +
             "-byte cabinet"},
        {"cut in its header", GoodName, good.substr(0, 20), "truncated: 20 bytes, shorter than a cabinet header"},
        {"cut in its file entries", GoodName, CutAndRestated(good, filesAt + 20), "file entries run past the end"},
        {"cut in its data", GoodName, CutAndRestated(good, dataAt + 20), "data blocks run past the end"},
        {"of a later cabinet version", GoodName, Patched(good, 25, 2), "unsupported cabinet version 2.3"},
        {"one of a set", GoodName, Patched(good, 30, 2), "part of a cabinet set spanning several files"},
        {"without files", GoodName, Patched(good, 28, 0), "holds no files"},
        {"a file in a folder it lacks", GoodName, Patched(good, filesAt + 8, 1), "KORVANE.000 lies in folder 1 of 1"},
        {"with its file entries past its end", GoodName, Patched(good, 19, 0x7F),
         "not a cabinet (its header's sizes are impossible)"},
        {"a file past its folder's data", GoodName, Patched(good, filesAt + 5, 0x10),
         "KORVANE.000 runs past its folder's data"},
        {"a setup file without its mark", GoodName, Patched(good, dataAt + 8, 'X'),
         "setup file KORVANE.000 is not a Windows CE setup file (no MSCE header)"},
        {"a setup file's name past its end", GoodName, Patched(good, dataAt + 8 + 86, 0x7F),
         "setup file KORVANE.000 has its application name outside the file"},
        {"a stored block that would expand", GoodName, MisstatedBlock(good),
         "a stored data block of " + std::to_string(blockSize) + " bytes expands to " +
             std::to_string(blockSize + 1)},
        {"compressed", GoodName, MakeCabinet(folder, {"Korvane", 2577, "-c -z"}),
         "compressed setup file not supported"},
        {"no setup file", GoodName, MakeCabinet(folder, {"Korvane", 2577, "-c", false}),
         "holds no Windows CE setup file (.000)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder / c.name;
        Write(path, c.cabinet);
        EXPECT_EQ(c.reason.empty() ? "" : path + ": " + c.reason, CheckCabinet(path, folder / "KORVANE.INI"));
        std::remove(path.c_str());
    }
}

// The build names the cabinet by the name the setup extracts it under, whatever its own.
TEST(CabinetCheck, TheInstalledNameIsTheOneCompared)
{
    TempFolder folder;
    Write(folder / "KORVANE.INI", Ini);
    Write(folder / "KORVANE.cab", MakeCabinet(folder, {}));
    EXPECT_EQ("", CheckCabinet(folder / "KORVANE.cab", folder / "KORVANE.INI", GoodName));
    EXPECT_EQ(folder / "KORVANE.cab" + ": installed as COMMON1_US.PPC_ARM.CAB, a name that KORVANE.INI's "
                                       "CabFiles (Korvane_US.ppc_arm.cab) does not give",
              CheckCabinet(folder / "KORVANE.cab", folder / "KORVANE.INI", "COMMON1_US.PPC_ARM.CAB"));
}

TEST(CabinetCheck, AnIniWithoutComponentOrCabFilesIsNamed)
{
    TempFolder folder;
    Write(folder / "KORVANE.cab", MakeCabinet(folder, {}));
    const struct {
        const char* ini;
        const char* reason;
    } cases[] = {
        {"[CEAppManager]\nVersion = 1.0\n", "names no Component in [CEAppManager]"},
        {"[CEAppManager]\nComponent = Korvane\n[Korvane]\nDescription = Korvane\n",
         "gives no CabFiles in [Korvane]"},
        // A key of another section is not the component's.
        {"[CEAppManager]\nComponent = Korvane\nCabFiles = KORVANE.cab\n[Korvane]\n",
         "gives no CabFiles in [Korvane]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        Write(folder / "K.INI", c.ini);
        EXPECT_EQ(folder / "K.INI" + ": " + c.reason, CheckCabinet(folder / "KORVANE.cab", folder / "K.INI"));
    }
    Write(folder / "K.INI", "[ceappmanager]\ncomponent=korvane\n[KORVANE]\ncabfiles = Other.cab, korvane.CAB\n");
    EXPECT_EQ("", CheckCabinet(folder / "KORVANE.cab", folder / "K.INI")) << "names and keys in any case, a list";
}

} // namespace
