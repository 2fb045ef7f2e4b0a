// NSIS's wizard, driven from another process.
#include "bench/PeerWizard.h"

#include "driver/Wait.h"

bool PeerWizard::AcceptLicense()
{
    HWND accept = GetDlgItem(Page(), PeerLicenseAcceptButton);
    return PressButton(accept) && WaitUntil(SettleTimeoutMs, [&] {
               return Checked(accept) && IsWindowEnabled(Button(PeerNextButton));
           });
}

// A page is gone when its dialog is: the next one is another window.
bool PeerWizard::WalkTo(int page)
{
    for (; at < page; ++at) {
        HWND before = Page();
        if (!before || (at == LicensePage && !AcceptLicense()) || !Press(PeerNextButton) ||
            !WaitUntil(SettleTimeoutMs, [&] {
                HWND now = Page();
                return now && now != before;
            }))
            return false;
    }
    return at == page;
}
