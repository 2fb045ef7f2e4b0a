// The SZDD packer against two independent expanders' reading of the format: Debian's
// libmspack here (the platform's LZ32 is checked under Wine), and its size against
// Debian's mscompress on every input.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "Corpus.h"
#include "HostFiles.h"
#include "LibmspackSzdd.h"
#include "SzddPacker.h"

namespace {

// The corpus and, when the build names them, the sample cabinets.
std::vector<std::pair<std::string, Bytes>> Inputs()
{
    auto inputs = MakeCorpus();
    const char* cabinets = std::getenv("KORVANE_SAMPLE_CABINETS");
    std::istringstream list(cabinets ? cabinets : "");
    for (std::string path; std::getline(list, path, ';');)
        inputs.emplace_back(path, ReadBytes<Bytes>(path));
    return inputs;
}

TEST(SzddPacker, RoundTripsThroughLibmspackAndNeverLosesToMscompress)
{
    const auto inputs = Inputs();
    ASSERT_GE(inputs.size(), 10u);
    HostTempFolder folder("szdd-test");
    for (const auto& [name, data] : inputs) {
        SCOPED_TRACE(name);
        Bytes packed = SzddCompress(data);
        ASSERT_GE(packed.size(), SzddHeaderSize);
        uint32_t length =
            packed[10] | packed[11] << 8 | packed[12] << 16 | uint32_t(packed[13]) << 24;
        EXPECT_EQ(data.size(), length) << "the header holds the true length";
        EXPECT_EQ('A', packed[8]);

        WriteBytes(folder / "packed", packed);
        EXPECT_EQ(data, ExpandWithLibmspack(folder / "packed", folder / "expanded"));

        // Only an mscompress output that expands back to the input is a fair yardstick.
        WriteBytes(folder / "input", data);
        ASSERT_EQ(0,
                  std::system(("mscompress " + (folder / "input") + " >/dev/null 2>&1").c_str()));
        const size_t theirs = ReadBytes<Bytes>(folder / "input_").size();
        if (ExpandWithLibmspack(folder / "input_", folder / "theirs") == data)
            EXPECT_LE(packed.size(), theirs) << "mscompress made " << theirs;
        else
            std::printf("  (mscompress's output for %s does not expand back to it)\n",
                        name.c_str());
        std::remove((folder / "input_").c_str());
    }
}

TEST(SzddPacker, PayloadStoresPlainOnlyWhatCompressionDoesNotShrink)
{
    struct {
        const char* what;
        Bytes input;
        bool compressed;
    } const cases[] = {
        {"text", Bytes(1000, 'a'), true},
        {"empty", Bytes(), false},
        {"noise", Bytes{0x13, 0x99, 0x02, 0x7f, 0xe1, 0x55}, false},
        {"begins with the magic", Bytes(SzddMagic, SzddMagic + 8), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes stored = PackForPayload(c.input);
        EXPECT_EQ(c.compressed, BeginsWithSzddMagic(stored));
        EXPECT_EQ(c.compressed ? SzddCompress(c.input) : c.input, stored);
    }
}

}  // namespace
