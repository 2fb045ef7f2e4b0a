// The road through Finish, and the watch of a process to its end.
#include "driver/FinishRun.h"

#include "driver/Wait.h"

RunEnding WatchToTheEnd(ChildProcess& process, DWORD timeoutMs)
{
    RunEnding ending;
    WaitUntil(timeoutMs, [&] {
        if (WaitForSingleObject(process.Handle(), 0) != WAIT_TIMEOUT)
            return true;
        ending.wizardShown |= WaitForWindow(process.Id(), DialogClass, WizardTitle, 0) != nullptr;
        ending.windowShown |= FindTopWindow(process.Id()) != nullptr;
        if (const MessageBoxSeen box = AnswerMessageBox(process.Id(), 0); box.shown)
            ending.boxes.push_back(box);
        return false;
    });
    ending.code = process.WaitForExit(0);
    return ending;
}

RunEnding FinishRun(WizardDriver& wizard, const std::function<void()>& atFinish)
{
    if (!WalkToFinishAndPress(wizard, FinishButton, atFinish))
        return {};
    RunEnding ending = WatchToTheEnd(wizard.Process());
    ending.pressed = true;
    return ending;
}
