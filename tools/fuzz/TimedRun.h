// TimedRun: a program run to its end or to a time limit, whichever comes first, and how
// it ended.
#pragma once

#include <string>
#include <vector>

struct RunOutcome {
    int exitCode = -1;  // -1 when it did not exit
    int signal = 0;     // what ended it otherwise
    bool overTime = false;
    double seconds = 0;
};

// Runs `argv` with its standard output dropped and its standard error into `errorPath`.
RunOutcome TimedRun(const std::vector<std::string>& argv, const std::string& errorPath,
                    double limitSeconds);

// "exit 0", "signal 11", "over the time limit": for a failure's line.
std::string Describe(const RunOutcome& outcome);
