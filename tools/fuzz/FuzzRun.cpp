// fuzzrun: a bounded fuzz run of a host tool that reads outside input, from a fixed seed.
//   fuzzrun cab SEED COUNT GCAB INI INSTALLED-NAME CABINET...
//     COUNT mutants of each cabinet through the cabinet check, run here for speed: each
//     check ends within the time limit, without a crash; a mutant it accepts is extracted
//     whole by libmspack (opened on its own, through libmspack's own files) and listed by
//     gcab; one it refuses is named on one line with the reason.
//   fuzzrun pe SEED COUNT PROGRAM -- TOOL ARG... [-- TOOL ARG...]
//     COUNT mutants of the program through each tool, {} standing for the mutant: each run
//     ends by itself within the time limit.
// Prints what it ran and the slowest run; each failure on a line, its mutant kept in the
// working folder. Exit status 0: no failure.
#include <mspack.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/time.h>

#include "CabinetCheck.h"
#include "HostFiles.h"
#include "Mutator.h"
#include "PeFile.h"
#include "TimedRun.h"

namespace {

constexpr double LimitSeconds = 1.0;
constexpr size_t HeaderArea = 0x400, TableArea = 64, CabinetDataAt = 36, CabinetDataHeader = 8;

// The line a check that crashes or runs over the limit ends the run with, made before the check.
char lastWords[512];

void OnSignal(int signal)
{
    const char digits[] = {char('0' + signal / 10), char('0' + signal % 10), '\n'};
    [[maybe_unused]] ssize_t written = write(STDOUT_FILENO, lastWords, std::strlen(lastWords));
    written = write(STDOUT_FILENO, digits, sizeof digits);
    _exit(1);
}

// The cabinet check in this process, under a timer and with its crashes caught.
std::string GuardedCheck(const std::string& cabinet, const std::string& ini,
                         const std::string& what, double& seconds)
{
    std::snprintf(lastWords, sizeof lastWords,
                  "FAIL %s: the check, on the mutant left at %s, ended by signal ", what.c_str(),
                  cabinet.c_str());
    for (int signal : {SIGALRM, SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL})
        std::signal(signal, OnSignal);
    const long micro = static_cast<long>(LimitSeconds * 1e6);
    const itimerval limit{{0, 0}, {micro / 1000000, micro % 1000000}}, off{};
    const auto start = std::chrono::steady_clock::now();
    setitimer(ITIMER_REAL, &limit, nullptr);
    std::string refused = CheckCabinet(cabinet, ini);
    setitimer(ITIMER_REAL, &off, nullptr);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return refused;
}

struct Tally {
    int runs = 0, accepted = 0, failures = 0;
    double slowest = 0;
};

void Keep(const Bytes& mutant, const std::string& name)
{
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(mutant.data()), mutant.size());
}

void Fail(Tally& tally, const Bytes& mutant, const std::string& kept, const std::string& what)
{
    ++tally.failures;
    Keep(mutant, kept);
    std::printf("FAIL %s: %s\n", kept.c_str(), what.c_str());
}

// Runs one tool on the mutant; "" or why the run failed, whatever the tool decided.
std::string Run(Tally& tally, const std::vector<std::string>& argv, const std::string& errorPath,
                RunOutcome& outcome)
{
    outcome = TimedRun(argv, errorPath, LimitSeconds);
    ++tally.runs;
    tally.slowest = std::max(tally.slowest, outcome.seconds);
    return outcome.overTime || outcome.exitCode < 0 ? argv[0] + " ended by " + Describe(outcome)
                                                    : "";
}

// libmspack's own reading: opened from the file, every file extracted, checksums checked.
bool ExtractsWhole(const std::string& cabinetPath, const std::string& outPath)
{
    mscab_decompressor* cabd = mspack_create_cab_decompressor(nullptr);
    if (!cabd)
        return false;
    mscabd_cabinet* cabinet = cabd->open(cabd, cabinetPath.c_str());
    bool whole = cabinet != nullptr;
    for (mscabd_file* file = cabinet ? cabinet->files : nullptr; file && whole; file = file->next)
        whole = cabd->extract(cabd, file, outPath.c_str()) == MSPACK_ERR_OK;
    if (cabinet)
        cabd->close(cabd, cabinet);
    mspack_destroy_cab_decompressor(cabd);
    return whole;
}

// What an accepted mutant must be: whole for libmspack, opened on its own, and for gcab.
std::string WhyNotWhole(Tally& tally, const std::string& gcab, const std::string& cabinet,
                        const HostTempFolder& folder)
{
    if (!ExtractsWhole(cabinet, folder / "extracted"))
        return "accepted, but libmspack cannot extract every file";
    RunOutcome listed;
    const std::string failed = Run(tally, {gcab, "-l", cabinet}, folder / "gcab", listed);
    return !failed.empty()   ? "accepted, but " + failed
           : listed.exitCode ? "accepted, but gcab cannot list it"
                             : "";
}

int FuzzCabinets(uint32_t seed, size_t count, char** argv, int argc)
{
    const std::string gcab = argv[0], ini = argv[1], installedName = argv[2];
    HostTempFolder folder("fuzzrun");
    const std::string mutantPath = folder / installedName;
    Mutator mutator(seed);
    Tally tally;
    for (int c = 3; c < argc; ++c) {
        Bytes original;
        if (!ReadWholeFile(argv[c], original) || original.size() < CabinetDataAt + 4)
            return std::fprintf(stderr, "fuzzrun: %s is no cabinet\n", argv[c]), 2;
        // The header, the folder and file entries, and the first data block's header.
        const size_t directory = original[CabinetDataAt] | original[CabinetDataAt + 1] << 8;
        for (size_t i = 0; i < count; ++i) {
            const Bytes mutant = mutator.Mutate(original, {{0, directory + CabinetDataHeader}});
            Keep(mutant, mutantPath);
            const std::string kept =
                "fuzz-cab-" + std::to_string(c - 2) + "-" + std::to_string(i) + ".cab";
            double seconds = 0;
            const std::string refused = GuardedCheck(mutantPath, ini, kept, seconds);
            ++tally.runs;
            tally.slowest = std::max(tally.slowest, seconds);
            std::string failure;
            if (seconds > LimitSeconds)
                failure = "the check took " + std::to_string(seconds) + " s";
            else if (!refused.empty() && (refused.rfind(mutantPath + ": ", 0) ||
                                          refused.find('\n') != std::string::npos))
                failure = "refused, but not on one line naming it: \"" + refused + "\"";
            if (failure.empty() && refused.empty()) {
                ++tally.accepted;
                failure = WhyNotWhole(tally, gcab, mutantPath, folder);
            }
            if (!failure.empty())
                Fail(tally, mutant, kept, failure);
        }
    }
    std::printf("cab: %zu mutants of each of %d cabinets, %d accepted; %d runs, the slowest %.3f "
                "s; %d failed\n",
                count, argc - 3, tally.accepted, tally.runs, tally.slowest, tally.failures);
    return tally.failures ? 1 : 0;
}

int FuzzPrograms(uint32_t seed, size_t count, char** argv, int argc)
{
    const PeFile program(argv[0]);
    if (!program.IsValid())
        return std::fprintf(stderr, "fuzzrun: %s is no Windows program\n", argv[0]), 2;
    // The headers and the first entries of the tables the tools follow.
    std::vector<ByteRange> hot = {{0, HeaderArea}};
    for (int directory : {PeFile::ImportDirectory, PeFile::ResourceDirectory,
                          PeFile::RelocationDirectory, PeFile::DelayImportDirectory})
        if (size_t at = program.Offset(program.DirectoryAddress(directory));
            at < program.Bytes().size())
            hot.push_back({at, TableArea});
    std::vector<std::vector<std::string>> tools;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--")
            tools.emplace_back();
        else if (!tools.empty())
            tools.back().push_back(argv[i]);
    }
    HostTempFolder folder("fuzzrun");
    const std::string mutantPath = folder / "mutant.exe";
    Mutator mutator(seed);
    Tally tally;
    for (size_t i = 0; i < count; ++i) {
        const Bytes mutant = mutator.Mutate(program.Bytes(), hot);
        Keep(mutant, mutantPath);
        for (std::vector<std::string> tool : tools) {
            for (std::string& arg : tool)
                arg = arg == "{}" ? mutantPath : arg;
            RunOutcome outcome;
            if (std::string why = Run(tally, tool, folder / "stderr", outcome); !why.empty())
                Fail(tally, mutant, "fuzz-pe-" + std::to_string(i) + ".exe", why);
        }
    }
    std::printf("pe: %zu mutants through %zu tools; %d runs, the slowest %.3f s; %d failed\n",
                count, tools.size(), tally.runs, tally.slowest, tally.failures);
    return tally.failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string kind = argc > 4 ? argv[1] : "";
    if (kind == "cab" && argc >= 8)
        return FuzzCabinets(std::stoul(argv[2]), std::stoul(argv[3]), argv + 4, argc - 4);
    if (kind == "pe" && argc >= 7)
        return FuzzPrograms(std::stoul(argv[2]), std::stoul(argv[3]), argv + 4, argc - 4);
    std::fprintf(stderr, "usage: fuzzrun cab SEED COUNT GCAB INI INSTALLED-NAME CABINET...\n"
                         "       fuzzrun pe SEED COUNT PROGRAM -- TOOL ARG... [-- TOOL ARG...]\n");
    return 2;
}
