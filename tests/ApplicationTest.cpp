// Application: the order WinMain drives it in, and the framework's message loops.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "Application.h"
#include "ModuleState.h"
#include "ProcessState.h"

namespace {

// An application that notes what the framework calls and answers as told.
class NotingApplication : public Application {
public:
    int initResult = 0;
    int runResult = 0;
    std::vector<std::string> calls;

    int Init(HINSTANCE, char*, int) override { calls.push_back("Init"); return initResult; }
    int Run(int*) override { calls.push_back("Run"); return runResult; }
    int Exit(int code) override
    {
        calls.push_back("Exit(" + std::to_string(code) + ")");
        return Application::Exit(code);
    }
};

TEST(Application, RunApplicationCallsInitThenExit)
{
    struct {
        int initResult;
        int runResult;
        std::vector<std::string> calls;
        int exitCode;
    } const cases[] = {
        {0, 9, {"Init", "Exit(0)"}, 0},
        {1, 9, {"Init", "Run", "Exit(9)"}, 9},
    };
    for (const auto& c : cases) {
        NotingApplication application;
        application.initResult = c.initResult;
        application.runResult = c.runResult;
        EXPECT_EQ(c.exitCode, RunApplication(application, GetModuleHandleA(nullptr), nullptr, 1));
        EXPECT_EQ(c.calls, application.calls);
    }
}

TEST(Application, ExitFreesThePoolAndReturnsItsCode)
{
    void* block = TheModuleState.TempPool.Allocate(sizeof(TextString));
    ASSERT_NE(nullptr, block);
    new (block) TextString("pooled");
    Application application;
    EXPECT_EQ(42, application.Exit(42));
    EXPECT_EQ(nullptr, TheModuleState.TempPool.Head());
}

TEST(Application, RunEndsAtQuitWithItsCode)
{
    Application application;
    PostQuitMessage(7);
    EXPECT_EQ(7, application.Run(nullptr));

    // A cleared flag ends the loop after the pass that cleared it.
    int keepRunning = 1;
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    class Stopping : public Application {
    public:
        int* flag = nullptr;
        int OnIdle(int) override { *flag = 0; return 0; }
    } stopping;
    stopping.flag = &keepRunning;
    EXPECT_EQ(0, stopping.Run(&keepRunning));
    EXPECT_EQ(0, keepRunning);
}

TEST(Application, IdleLoopCountsWhileTheQueueStaysEmpty)
{
    class Counting : public Application {
    public:
        std::vector<int> counts;
        int OnIdle(int count) override
        {
            counts.push_back(count);
            return count < 3;
        }
    };
    MSG drained;
    while (PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE)) {
    }
    Counting idle;
    idle.IdleLoop();
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), idle.counts);

    Counting busy;
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    busy.IdleLoop();
    EXPECT_TRUE(busy.counts.empty());
    PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE);
}

TEST(Application, WaitWithMessagesServesTheQueueUntilTheHandleIsSignalled)
{
    Application application;
    HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(WAIT_OBJECT_0, application.WaitWithMessages(event, 1000));
    ResetEvent(event);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), application.WaitWithMessages(event, 100));
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE));  // the pump took it
    CloseHandle(event);
}

} // namespace
