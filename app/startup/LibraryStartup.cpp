// Every library the setup needs from its start, bound once the search is restricted:
// without one no wizard can be shown.
#include "app/ExitCode.h"
#include "app/startup/Startup.h"
#include "resources/resource.h"
#include "support/LateBound.h"

void BindLibrariesOrEnd()
{
    if (DWORD reason = LateBound::BindForStartup())
        EndWithMessage(IDS_WIZARD_FAILED, reason, ExitCode::WizardFailed);
}
