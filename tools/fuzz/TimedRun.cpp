// TimedRun: fork and exec (a bare name found on the PATH), with a real-time timer set in
// the child, which outlives the exec: a program still running at the limit gets SIGALRM,
// which ends it.
#include "TimedRun.h"

#include <fcntl.h>
#include <unistd.h>
#include <chrono>
#include <sys/time.h>
#include <sys/wait.h>

RunOutcome TimedRun(const std::vector<std::string>& argv, const std::string& errorPath,
                    double limitSeconds)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
        dup2(open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        const long micro = static_cast<long>(limitSeconds * 1e6);
        const itimerval limit{{0, 0}, {micro / 1000000, micro % 1000000}};
        setitimer(ITIMER_REAL, &limit, nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    RunOutcome outcome;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return outcome;
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    else
        outcome.signal = WTERMSIG(status);
    outcome.overTime = outcome.signal == SIGALRM || outcome.seconds > limitSeconds;
    return outcome;
}

std::string Describe(const RunOutcome& outcome)
{
    if (outcome.overTime)
        return "over the time limit (" + std::to_string(outcome.seconds) + " s)";
    return outcome.exitCode >= 0 ? "exit " + std::to_string(outcome.exitCode)
                                 : "signal " + std::to_string(outcome.signal);
}
