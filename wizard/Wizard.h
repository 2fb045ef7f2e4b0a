// The wizard: a modal Wizard97 property sheet of five pages.
#pragma once

#include <windows.h>

// Shows the wizard and returns when it closes; InstallRequested then tells whether the
// user pressed Finish. ERROR_SUCCESS, or Windows' reason why the wizard could not be shown.
DWORD RunWizard();
