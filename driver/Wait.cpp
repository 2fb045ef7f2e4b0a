// Waiting by polling: another process gives no signal when its windows or files change.
#include "driver/Wait.h"

bool WaitUntil(DWORD timeoutMs, const std::function<bool()>& done, DWORD pollMs)
{
    for (DWORD waited = 0;; waited += pollMs) {
        if (done())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(pollMs);
    }
}
