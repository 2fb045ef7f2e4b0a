// NSIS's wizard (bench/peer/KorvaneSetup.nsi) driven from another process the way
// WizardDriver drives ours: the same start, the same search by the title, the same presses
// of buttons a user could press, and the walk over the same five pages. NSIS's wizard is
// no property sheet: one dialog whose buttons stay while each page is a dialog of its own
// inside it, made when the page comes and destroyed when it goes.
#pragma once

#include "driver/WizardDriver.h"

// NSIS's Next (Install, Finish) is IDOK; its Cancel is IDCANCEL, as the sheet's is.
constexpr int PeerNextButton = IDOK;
// "I accept" on the license page, a child of the page's own dialog (the wizard's dialog
// holds a picture of the same id), as Wine shows it when the children are listed.
constexpr int PeerLicenseAcceptButton = 1034;

// WizardDriver's start and presses, with NSIS's pages and walk.
class PeerWizard : public WizardDriver {
public:
    // Starts the program and waits for its wizard, which bears our wizard's title.
    explicit PeerWizard(const std::string& program) : WizardDriver("", program) {}

    HWND Page() const { return ShownPage(Sheet()); }
    // Walks forward from the welcome page to `page`, accepting the license on the way.
    bool WalkTo(int page);

private:
    // Chooses "I accept" and waits until the page has taken it and Next can be pressed.
    bool AcceptLicense();

    int at = WelcomePage;
};
