// The finish page: Finish is the user's one decision that leads to installation.
#include <windows.h>
#include <commctrl.h>

#include "app/ProcessState.h"
#include "resources/resource.h"
#include "support/LateBound.h"
#include "wizard/PageConduct.h"
#include "wizard/WizardPages.h"

namespace {

void Initialise(HWND page) { FormatControlText(page, IDC_FINISH_TEXT); }

// Nothing is installed while the sheet is open: the setup flow installs after it closes.
// The shell, which the hand-off needs, is loaded while the user reads this page, so that
// the hand-off does not wait for it after Finish.
BOOL OnNotify(HWND, WPARAM, LPARAM lParam)
{
    UINT code = NotificationCode(lParam);
    if (code == static_cast<UINT>(PSN_SETACTIVE))
        LateBound::Bind(LateBound::Library::Shell);  // a failure shows at the hand-off
    else if (code == static_cast<UINT>(PSN_WIZFINISH))
        InstallRequested = 1;
    return FALSE;
}

}  // namespace

const PageConduct FinishConduct = {.buttons = FixedButtons<PSWIZB_BACK | PSWIZB_FINISH>,
                                   .initialise = Initialise,
                                   .notify = OnNotify};
