// A setup that is not the one built, or cannot be read, ends before anything else; the
// check needs only KERNEL32, so no damage can keep it from running.
#include "app/ExitCode.h"
#include "app/SetupFileCheck.h"
#include "app/startup/Startup.h"
#include "resources/resource.h"
#include "support/SystemMessage.h"

void CheckOwnFileOrEnd()
{
    DWORD reason = CheckOwnFile();
    if (reason == ContentFault)
        EndWithMessage(IDS_SETUP_DAMAGED, ERROR_SUCCESS, ExitCode::SetupDamaged);
    if (reason != ERROR_SUCCESS)
        EndWithMessage(IDS_SETUP_UNREADABLE, reason, ExitCode::SetupUnreadable);
}
