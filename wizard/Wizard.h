// The wizard: a modal Wizard97 property sheet of five pages.
#pragma once

// Shows the wizard and returns when it closes; InstallRequested then tells whether the
// user pressed Finish.
void RunWizard();
