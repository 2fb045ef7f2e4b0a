// An install by a wizard, the setup's (WizardDriver) or NSIS's (PeerWizard), timed from the
// press of Finish to the hand-off: the moment the Application Manager stand-in's record
// appears in the site.
#pragma once

#include <windows.h>

#include "bench/Clock.h"
#include "driver/FinishRun.h"
#include "driver/StandInSite.h"
#include "driver/Wait.h"

// The timed waits look as often as they can: how often they look is the figures' resolution.
constexpr DWORD TimingPollMs = 1;

// When Finish was pressed and when the stand-in's record appeared, in counter ticks.
struct HandOff {
    bool done = false;
    LONGLONG pressed = 0;
    LONGLONG seen = 0;
    double Ms() const { return TicksToMs(seen - pressed); }
};

// Starts a wizard while the site stands, walks it to its last page, runs `atFinish` there
// (a probe set) and presses Finish, timed from the moment Finish can be pressed; not done
// when the walk or the press failed or the stand-in's run did not complete.
template <class Wizard, class... Arguments>
HandOff InstallThrough(const StandInSite& site, int finishButton,
                       const std::function<void(Wizard&)>& atFinish, const Arguments&... arguments)
{
    Wizard wizard(arguments...);
    HandOff handOff;
    if (!WalkToFinishAndPress(wizard, finishButton, [&] {
            if (atFinish)
                atFinish(wizard);
            // Timed from the moment the press can be made, not from the wait for it.
            WaitUntil(ExitTimeoutMs, [&] { return Pressable(wizard.Button(finishButton)); });
            handOff.pressed = Ticks();
        }))
        return handOff;
    WaitUntil(
        ExitTimeoutMs, [&] { return FileExists(site.record); }, TimingPollMs);
    handOff.seen = Ticks();
    wizard.Process().WaitForExit(ExitTimeoutMs);
    handOff.done = AwaitStandInRun(site.record, ExitTimeoutMs);
    return handOff;
}
