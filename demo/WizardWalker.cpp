// Walks the setup's wizard the way a user would, for the demo on a machine without a
// display: Next through every page (accepting the license), a screenshot of each page,
// then Finish.
//   WizardWalker SETUP.EXE SCREENSHOT_FOLDER
// Exits with the setup's exit code, or 1 when the wizard could not be walked.
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver/WizardDriver.h"

namespace {

const DWORD ExitTimeoutMs = 60000;
const DWORD PaintDelayMs = 300;

int Fail(const char* what)
{
    std::printf("The wizard could not be walked: %s.\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::printf("usage: WizardWalker SETUP.EXE SCREENSHOT_FOLDER\n");
        return 2;
    }
    WizardDriver wizard("", argv[1]);
    if (!wizard.Opened())
        return Fail("no wizard appeared");
    std::printf("Wizard: \"%s\"\n", wizard.Title().c_str());
    for (int page = WelcomePage; page <= FinishPage; ++page) {
        if (!wizard.WalkTo(page))
            return Fail("a page did not come");
        Sleep(PaintDelayMs);
        std::string shot = std::string(argv[2]) + "\\" + PageNames[page] + ".png";
        wizard.Screenshot(shot);
        std::printf("  page %d: %s\n", page + 1, shot.c_str());
    }
    if (!wizard.Press(FinishButton))
        return Fail("Finish could not be pressed");
    std::printf("  Finish pressed.\n");
    std::fflush(stdout);
    DWORD code = wizard.Process().WaitForExit(ExitTimeoutMs);
    return code == STILL_ACTIVE ? Fail("the setup did not end") : static_cast<int>(code);
}
