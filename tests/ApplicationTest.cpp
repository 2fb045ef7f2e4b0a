// Application: the order WinMain drives it in, and what Exit frees.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/ModuleState.h"
#include "app/ProcessState.h"

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

} // namespace
