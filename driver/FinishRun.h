// The road through Finish, the one way the tests and the benchmark take it: the wizard
// walked to its last page, something done there, Finish pressed, and the process watched
// to its end, each message box it shows read and answered with OK.
#pragma once

#include "driver/WizardDriver.h"

// How long a run may take from Finish (or its start) to its end, or to its hand-off.
constexpr DWORD ExitTimeoutMs = 20000;

// What a run showed until it ended.
struct RunEnding {
    bool pressed = false;               // the wizard reached its last page and Finish was pressed
    DWORD code = STILL_ACTIVE;          // the exit code; STILL_ACTIVE when it did not end in time
    std::vector<MessageBoxSeen> boxes;  // every box it showed, each answered with OK
    bool wizardShown = false;           // the wizard was on screen while it was watched
    bool windowShown = false;           // any window of the process was
    // The first box, or none.
    MessageBoxSeen Box() const { return boxes.empty() ? MessageBoxSeen() : boxes.front(); }
};

// Watches the process until it ends, answering each box it shows with OK.
RunEnding WatchToTheEnd(ChildProcess& process, DWORD timeoutMs = ExitTimeoutMs);

// Walks an opened wizard to its last page, runs `atFinish` there (a change to the world, a
// probe set, a clock read) and presses `finishButton`; false when the wizard did not open,
// a page did not come or the button could not be pressed. Any wizard with WizardDriver's
// Opened, WalkTo and Press will do.
template <class Wizard>
bool WalkToFinishAndPress(Wizard& wizard, int finishButton = FinishButton,
                          const std::function<void()>& atFinish = nullptr)
{
    if (!wizard.Opened() || !wizard.WalkTo(FinishPage))
        return false;
    if (atFinish)
        atFinish();
    return wizard.Press(finishButton);
}

// Both, for the setup's wizard: its ending, not watched when Finish was not pressed.
RunEnding FinishRun(WizardDriver& wizard, const std::function<void()>& atFinish = nullptr);
