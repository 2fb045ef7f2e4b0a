// The one way the driver and its users wait for another process: look, pause, look again.
#pragma once

#include <windows.h>

#include <functional>

// How long a wait pauses between two looks; a quiet spell, in which whatever was still to
// happen would have happened.
constexpr DWORD PollMs = 25;
constexpr DWORD QuietMs = 1500;

// Asks `done` until it holds, at least once however short the timeout, pausing `pollMs`
// between asks; false when it still does not after timeoutMs of pauses. Polling: another
// process gives no signal when its windows or files change.
inline bool WaitUntil(DWORD timeoutMs, const std::function<bool()>& done, DWORD pollMs = PollMs)
{
    for (DWORD waited = 0;; waited += pollMs) {
        if (done())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(pollMs);
    }
}
