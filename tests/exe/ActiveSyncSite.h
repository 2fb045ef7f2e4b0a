// The site of an install as the exe's tests check it: the stand-in's ActiveSync folder,
// the install folder two levels below it, what the setup must extract there, and the
// programs that open links replaced by the recorder.
#pragma once

#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

// Where each payload file's expected bytes come from, in the order of PayloadNames.
extern const char* const PayloadSources[PayloadCount];
// The payload's longest file name, which makes its longest path.
std::string LongestPayloadName();

// Windows' own words for an error, as the setup's box shows them under its text.
std::string SystemReason(DWORD error);

class ActiveSyncSite : public StandInSite {
public:
    // In `under`, else in the temporary folder. With `longestPath`, the folder's path is as
    // long as makes the longest payload path that many characters.
    explicit ActiveSyncSite(const std::string& under = "", size_t longestPath = 0);

    // Runs the setup through Finish; with a cut rule, the file-call cutter is set in the
    // setup before Finish. Finish expects the exit code given and returns the first box.
    RunEnding RunThrough(const std::string& cut, const std::string& program = SetupExe());
    MessageBoxSeen Finish(DWORD exitCode = SetupExit::Installed,
                          const std::string& program = SetupExe(), const std::string& cut = "");

    // The previous set, each file with a text of its own, where a re-install must leave
    // it unchanged when it fails: all of it, or all but the file `replaced`.
    void WritePreviousSet();
    void ExpectPreviousSet(const char* replaced = nullptr);
    // Every payload file extracted whole.
    void ExpectPayload();
};

// The programs that open web and mail addresses replaced by the link recorder, which
// records into a file of the test's own.
struct RecordedLinks {
    explicit RecordedLinks(const TempFolder& root);
    std::vector<std::string> Opened() const { return ReadFirstFields(record); }

    std::string record;
    ScopedEnvironment variable;
    SchemeHandler web;
    SchemeHandler mail;
};
