// The install stopped at each of its file-changing calls, as a crash or a power cut would
// stop it, or with the call failed: every stop leaves one whole set, and the next run
// makes it the new one. The cutter (tests/probes/FileCallCutter.cpp) rebinds the calls
// inside the setup.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/exe/ActiveSyncSite.h"

namespace {

// Every file and folder below a folder, by path relative to it (a folder's ends in "\\"),
// with each file's content.
using Tree = std::map<std::string, std::string>;

void ReadTree(const std::string& folder, const std::string& relative, Tree& tree)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = relative + found.cFileName;
        if (found.cFileName[0] == '.' && (!found.cFileName[1] || found.cFileName[1] == '.'))
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[name + "\\"] = "";
            ReadTree(folder, name + "\\", tree);
        } else {
            tree[name] = ReadWholeFile(folder + "\\" + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Replaces the folder by one that holds `tree`.
void WriteTree(const std::string& folder, const Tree& tree)
{
    DeleteTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& entry : tree) {
        const std::string path = folder + "\\" + entry.first;
        if (entry.first.back() == '\\')
            CreateDirectoryA(path.c_str(), nullptr);
        else
            WriteWholeFile(path, entry.second);
    }
}

// The install, stopped at each of its file-changing calls over a previous set unlike the
// new one, as a crash or a power cut would stop it; after each stop, one re-run that
// succeeds must leave exactly the new set and nothing of ours beside it, and one that
// fails (its last rename into the install folder refused) must leave the previous set
// whole, or the new one where the stop came after the previous set was discarded. Each
// call that the install may see fail is also failed once: the setup ends with the new set
// and exit 0, or with the previous set, its box and exit 1603.
class CrashTest : public ::testing::Test, public ActiveSyncSite {
protected:
    CrashTest() : calls(root / "calls.record"), callRecord(Variable::CutRecord, calls) {}

    Tree Maker() const
    {
        Tree tree;
        ReadTree(maker, "", tree);
        return tree;
    }

    const std::string maker = activeSync + "\\Orbelwick";
    std::string calls;
    ScopedEnvironment callRecord;
};

TEST_F(CrashTest, EveryStopOfTheInstallLeavesOneWholeSet)
{
    WritePreviousSet();
    const Tree previousSet = Maker();
    Tree newSet = {{"Korvane\\", ""}};
    for (size_t i = 0; i < PayloadCount; ++i)
        newSet[std::string("Korvane\\") + PayloadNames[i]] = ReadWholeFile(PayloadSources[i]);
    const std::string lastPlace = std::string(CutFail) + " " + CallName(Call::MoveFileA) +
                                  " \\~n\\ " + std::to_string(PayloadCount);

    // The install's own calls, once through.
    WriteTree(maker, previousSet);
    ASSERT_EQ(0u, RunThrough(CutNothing).code);
    std::vector<Record> install = ReadRecords(calls);
    for (Record& call : install)
        call.resize(3);  // its function and its one or two paths ("" for none)
    ASSERT_EQ(newSet, Maker());
    size_t committed = install.size();  // the index of the step after which the new set stands
    for (size_t i = 0; i < install.size(); ++i) {
        const Record& call = install[i];
        if (call[0] == CallName(Call::MoveFileA) && call[1].find("\\~n\\") != std::string::npos &&
            call[2].rfind(installFolder, 0) == 0) {
            SCOPED_TRACE("published " + call[2]);
            bool flushed = false;
            for (size_t j = 0; j < i; ++j)
                flushed |=
                    install[j][0] == CallName(Call::FlushFileBuffers) && install[j][1] == call[1];
            EXPECT_TRUE(flushed) << "published before its data was flushed";
        }
        if (call[0] == CallName(Call::MoveFileA) && call[2] == maker + "\\~d")
            committed = i;
    }
    ASSERT_LT(committed, install.size()) << "no step commits the new set";
    std::printf("%zu file-changing calls, the new set committed at call %zu\n", install.size(),
                committed + 1);

    for (const char* action : {CutKill, CutFail}) {
        for (size_t step = 1; step <= install.size(); ++step) {
            const Record& call = install[step - 1];
            SCOPED_TRACE(std::string(action) + " at " + std::to_string(step) + ": " + call[0] +
                         " " + call[1] + " " + call[2]);
            WriteTree(maker, previousSet);
            DeleteFileA(calls.c_str());
            const DWORD code = RunThrough(std::string(action) + " " + std::to_string(step)).code;
            if (std::string(action) == CutFail) {
                // A failure of a step that clears up after the commit may leave a
                // companion folder for the next run: only the install folder is asked.
                const Tree expected = code == 0 ? newSet : previousSet;
                EXPECT_TRUE(code == 0 || code == SetupExit::ExtractionFailed) << code;
                const Tree now = Maker();  // the install folder: "Korvane\\" and below
                EXPECT_EQ(expected,
                          Tree(now.lower_bound("Korvane\\"), now.lower_bound("Korvane]")));
                if (HasFailure())
                    return;
                continue;
            }
            ASSERT_EQ(CutExitCode, code);
            const Tree stopped = Maker();

            EXPECT_EQ(SetupExit::ExtractionFailed, RunThrough(lastPlace).code);
            EXPECT_EQ(step - 1 > committed ? newSet : previousSet, Maker());

            WriteTree(maker, stopped);
            EXPECT_EQ(0u, RunThrough(CutNothing).code);
            EXPECT_EQ(newSet, Maker());
            if (HasFailure())
                return;  // one stop that goes wrong tells enough
        }
    }
}

}  // namespace
