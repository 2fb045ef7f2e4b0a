// RunWizard: one table of pages, one loop, one sheet.
#include "wizard/Wizard.h"

#include <stddef.h>

#include "app/ProcessState.h"
#include "resources/resource.h"
#include "support/LateBound.h"
#include "support/SystemMessage.h"
#include "wizard/Pictures.h"
#include "wizard/WizardPages.h"

namespace {

constexpr UINT WizardPageCount = 5;

// The page descriptor form that ends with the two header texts (48 bytes in 32 bits).
constexpr UINT PageDescriptorSize = offsetof(PROPSHEETPAGEA, pszHeaderSubTitle) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || PageDescriptorSize == 48);

// The sheet header form that ends with the watermark and header bitmaps (52 bytes in 32
// bits).
constexpr UINT SheetHeaderSize = offsetof(PROPSHEETHEADERA, pszbmHeader) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || SheetHeaderSize == 52);

// PSH_WIZARD97 as the 4.71 common controls define it; later headers moved it to
// 0x01000000, which those common controls do not know.
constexpr DWORD PshWizard97 = 0x2000;
constexpr DWORD SheetFlags = PSH_USEICONID | PshWizard97 | PSH_WATERMARK | PSH_HEADER;

constexpr DWORD InteriorPage = PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE;
constexpr DWORD ExteriorPage = PSP_HIDEHEADER | InteriorPage;

struct PageRow {
    WORD dialog;
    DLGPROC procedure;
    WORD headerTitle;
    WORD headerSubtitle;
    DWORD flags;
};

constexpr PageRow Pages[] = {
    {IDD_WELCOME, WelcomePageProc, IDS_WELCOME_TITLE, IDS_WELCOME_SUBTITLE, ExteriorPage},
    {IDD_PRODUCT, ProductPageProc, IDS_PRODUCT_TITLE, IDS_PRODUCT_SUBTITLE, InteriorPage},
    {IDD_LICENSE, LicensePageProc, IDS_LICENSE_TITLE, IDS_LICENSE_SUBTITLE, InteriorPage},
    {IDD_REGISTRATION, RegistrationPageProc, IDS_REGISTRATION_TITLE, IDS_REGISTRATION_SUBTITLE,
     InteriorPage},
    {IDD_FINISH, FinishPageProc, IDS_FINISH_TITLE, IDS_FINISH_SUBTITLE, InteriorPage},
};
static_assert(sizeof Pages / sizeof Pages[0] == WizardPageCount);

void FillPageDescriptor(UINT index, PROPSHEETPAGEA& page)
{
    page = {};
    page.dwSize = PageDescriptorSize;
    page.dwFlags = Pages[index].flags;
    page.hInstance = AppInstance;
    page.pszTemplate = MAKEINTRESOURCEA(Pages[index].dialog);
    page.pfnDlgProc = Pages[index].procedure;
    page.pszHeaderTitle = MAKEINTRESOURCEA(Pages[index].headerTitle);
    page.pszHeaderSubTitle = MAKEINTRESOURCEA(Pages[index].headerSubtitle);
}

void FillSheetHeader(HPROPSHEETPAGE* handles, PROPSHEETHEADERA& sheet)
{
    sheet = {};
    sheet.dwSize = SheetHeaderSize;
    sheet.dwFlags = SheetFlags;
    sheet.hInstance = AppInstance;
    sheet.pszIcon = MAKEINTRESOURCEA(IDI_SETUP);
    sheet.nPages = WizardPageCount;
    sheet.phpage = handles;
    sheet.pszbmWatermark = MAKEINTRESOURCEA(IDB_WATERMARK);
    // The first form of Wizard97 draws this from the band's top-left corner, behind the
    // page's title and subtitle.
    sheet.pszbmHeader = MAKEINTRESOURCEA(PictureForScreen(HeaderBand));
}

}  // namespace

DWORD RunWizard()
{
    // The platform copies each descriptor, so one record serves every page.
    HPROPSHEETPAGE handles[WizardPageCount];
    PROPSHEETPAGEA page;
    for (UINT i = 0; i < WizardPageCount; ++i) {
        FillPageDescriptor(i, page);
        handles[i] = LateBound::CreatePropertySheetPageA(&page);
        // Without the common controls, the pages made so far go with the process, which
        // ends next.
        if (!handles[i])
            return LastFailure();
    }
    PROPSHEETHEADERA sheet;
    FillSheetHeader(handles, sheet);
    InstallRequested = 0;
    // Finish or Cancel shows only in InstallRequested; -1 is a sheet that could not open.
    return LateBound::PropertySheetA(&sheet) != -1 ? ERROR_SUCCESS : LastFailure();
}
