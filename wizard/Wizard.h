// The wizard: a modal Wizard97 property sheet of five pages.
#pragma once

#include <windows.h>
#include <commctrl.h>

constexpr UINT WizardPageCount = 5;

// Shows the wizard and returns when it closes; InstallRequested then tells whether the
// user pressed Finish. False when the wizard could not be shown, with Windows' reason in
// `reason`.
bool RunWizard(DWORD& reason);

// The descriptors that RunWizard hands to the common controls: page `index` of the page
// table, and the sheet over the page handles.
void FillPageDescriptor(UINT index, PROPSHEETPAGEA& page);
void FillSheetHeader(HPROPSHEETPAGE* handles, PROPSHEETHEADERA& sheet);
