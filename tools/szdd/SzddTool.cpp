// The SZDD packer's command line:
//   szdd pack IN OUT        what a payload stores: SZDD when smaller, else IN itself
//   szdd compress IN OUT    always SZDD
//   szdd corpus FOLDER      writes the test corpus: NAME and NAME.szdd for each input
//   szdd bench FILE...      prints size, mscompress size, our size, ratio, encode time
//   szdd measure FILE       the same figures for one file, bare, for scripts to lay out
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Corpus.h"
#include "HostFiles.h"
#include "SzddPacker.h"

namespace {

// Debian's mscompress writes FILE_ beside FILE; -1 when it is not there.
long MscompressSize(const Bytes& data)
{
    const HostTempFolder folder("szdd-bench");
    Bytes packed;
    const bool made =
        WriteBytes(folder / "input", data) &&
        std::system(("mscompress " + (folder / "input") + " >/dev/null 2>&1").c_str()) == 0;
    return made && ReadWholeFile(folder / "input_", packed) ? static_cast<long>(packed.size()) : -1;
}

// The figures of one input: its size, mscompress's size (-1: none), ours, ours against
// mscompress's, and our encode time. The bench lays them out in columns after the name.
void Measure(const Bytes& data)
{
    const auto start = std::chrono::steady_clock::now();
    const size_t ours = SzddCompress(data).size();
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    const long theirs = MscompressSize(data);
    std::printf("%10zu %12ld %10zu %8.4f %10.1f\n", data.size(), theirs, ours,
                theirs > 0 ? double(ours) / double(theirs) : 0.0, ms.count());
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string verb = argc > 1 ? argv[1] : "";
    // The verbs of one input (IN or FILE) read it first.
    const bool packs = (verb == "pack" || verb == "compress") && argc == 4;
    const bool measures = verb == "measure" && argc == 3;
    Bytes input;
    if ((packs || measures) && !ReadWholeFile(argv[2], input)) {
        std::fprintf(stderr, "szdd: cannot read %s\n", argv[2]);
        return 1;
    }
    if (packs) {
        const Bytes packed = verb == "pack" ? PackForPayload(input) : SzddCompress(input);
        return WriteBytes(argv[3], packed) ? 0 : 1;
    }
    if (measures) {
        Measure(input);
        return 0;
    }
    if (verb == "corpus" && argc == 3) {
        for (const auto& [name, data] : MakeCorpus())
            if (!WriteBytes(std::string(argv[2]) + "/" + name, data) ||
                !WriteBytes(std::string(argv[2]) + "/" + name + ".szdd", SzddCompress(data)))
                return 1;
        return 0;
    }
    if (verb == "bench") {
        auto inputs = MakeCorpus();
        for (int i = 2; i < argc; ++i)
            if (ReadWholeFile(argv[i], input))
                inputs.emplace_back(argv[i], input);
        std::printf("%-28s %10s %12s %10s %8s %10s\n", "input", "bytes", "mscompress", "ours",
                    "ratio", "encode ms");
        for (const auto& [name, data] : inputs) {
            std::printf("%-28s ", name.c_str());
            Measure(data);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: szdd pack|compress IN OUT | szdd corpus FOLDER | szdd bench "
                         "FILE... | szdd measure FILE\n");
    return 2;
}
