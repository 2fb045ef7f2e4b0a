// An install by a wizard, the setup's (WizardDriver) or NSIS's (PeerWizard), timed from the
// press of Finish to the hand-off: the moment the Application Manager stand-in's record
// appears in the site.
#pragma once

#include <windows.h>

#include "bench/Clock.h"
#include "driver/StandInSite.h"
#include "driver/Wait.h"
#include "driver/WizardDriver.h"

constexpr DWORD HandOffTimeoutMs = 20000;
// The timed waits look as often as they can: how often they look is the figures' resolution.
constexpr DWORD TimingPollMs = 1;

// When Finish was pressed and when the stand-in's record appeared, in counter ticks.
struct HandOff {
    bool done = false;
    LONGLONG pressed = 0;
    LONGLONG seen = 0;
    double Ms() const { return TicksToMs(seen - pressed); }
};

// Walks the wizard from its start to its last page, until Finish can be pressed. The setup
// shows no box on the way: the site gives it its Application Manager.
template <class Wizard> bool WalkToFinish(Wizard& wizard, int finishButton)
{
    return wizard.Opened() && wizard.WalkTo(FinishPage) && WaitUntil(HandOffTimeoutMs, [&] {
               return IsWindowEnabled(wizard.Button(finishButton));
           });
}

// Presses Finish on a wizard that stands on its last page, while the site stands; not done
// when the press could not be made or the stand-in's run did not complete.
template <class Wizard>
HandOff PressFinish(Wizard& wizard, const StandInSite& site, int finishButton)
{
    HandOff handOff;
    handOff.pressed = Ticks();
    if (!wizard.Press(finishButton))
        return handOff;
    WaitUntil(
        HandOffTimeoutMs, [&] { return FileExists(site.record); }, TimingPollMs);
    handOff.seen = Ticks();
    wizard.Process().WaitForExit(HandOffTimeoutMs);
    handOff.done = AwaitStandInRun(site.record, HandOffTimeoutMs);
    return handOff;
}

// Starts a wizard while the site stands, walks it to its last page and presses Finish.
template <class Wizard, class... Arguments>
HandOff InstallThrough(const StandInSite& site, int finishButton, const Arguments&... arguments)
{
    Wizard wizard(arguments...);
    return WalkToFinish(wizard, finishButton) ? PressFinish(wizard, site, finishButton) : HandOff();
}
