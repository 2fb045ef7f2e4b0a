// The site of an install as the exe's tests check it.
#include "tests/exe/ActiveSyncSite.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "driver/ThreadHook.h"

const char* const PayloadSources[PayloadCount] = {KORVANE_PAYLOAD_SOURCES};

std::string LongestPayloadName()
{
    std::string longest;
    for (const char* name : PayloadNames)
        longest = std::strlen(name) > longest.size() ? name : longest;
    return longest;
}

std::string SystemReason(DWORD error)
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
    std::string line = FirstLine(text);
    return line.substr(0, line.find_last_not_of("\r ") + 1);
}

ActiveSyncSite::ActiveSyncSite(const std::string& under, size_t longestPath)
    : StandInSite(under, longestPath ? longestPath - std::strlen(InstallFolderBelowAppManager) -
                                           LongestPayloadName().size() - 2
                                     : 0)
{
}

RunEnding ActiveSyncSite::RunThrough(const std::string& cut, const std::string& program)
{
    ScopedEnvironment rule(Variable::CutRule, cut);
    WizardDriver wizard("", program);
    std::unique_ptr<ThreadHook> cutter;
    if (!cut.empty())
        cutter = std::make_unique<ThreadHook>(ProbeLibrary::FileCallCutter, wizard.Sheet());
    EXPECT_TRUE(!cutter || cutter->Set());
    const RunEnding ending = FinishRun(wizard);
    EXPECT_TRUE(ending.pressed);
    return ending;
}

MessageBoxSeen ActiveSyncSite::Finish(DWORD exitCode, const std::string& program,
                                      const std::string& cut)
{
    const RunEnding ending = RunThrough(cut, program);
    EXPECT_EQ(exitCode, ending.code);
    return ending.Box();
}

void ActiveSyncSite::WritePreviousSet()
{
    CreateDirectoryA((activeSync + "\\Orbelwick").c_str(), nullptr);
    CreateDirectoryA(installFolder.c_str(), nullptr);
    for (const char* name : PayloadNames)
        WriteWholeFile(installFolder + "\\" + name, std::string("previous ") + name);
}

void ActiveSyncSite::ExpectPreviousSet(const char* replaced)
{
    for (const char* name : PayloadNames)
        if (!replaced || std::string(name) != replaced)
            EXPECT_EQ(std::string("previous ") + name, ReadWholeFile(installFolder + "\\" + name));
    EXPECT_EQ(std::vector<std::string>{"Korvane"}, FolderNames(activeSync + "\\Orbelwick"))
        << "the sets in transit were left behind";
}

void ActiveSyncSite::ExpectPayload()
{
    for (size_t i = 0; i < PayloadCount; ++i) {
        SCOPED_TRACE(PayloadNames[i]);
        const std::string expected = ReadWholeFile(PayloadSources[i]);
        ASSERT_FALSE(expected.empty()) << "no source at " << PayloadSources[i];
        EXPECT_TRUE(expected == ReadWholeFile(installFolder + "\\" + PayloadNames[i]))
            << "the extracted file differs from its source";
    }
}

RecordedLinks::RecordedLinks(const TempFolder& root)
    : record(root / "links.record"), variable(Variable::LinkRecord, record),
      web("http", BinFolder() + "\\LinkRecorder.exe"),
      mail("mailto", BinFolder() + "\\LinkRecorder.exe")
{
}
