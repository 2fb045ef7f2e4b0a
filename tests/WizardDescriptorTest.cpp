// What the wizard hands the common controls: the page descriptors and the sheet header.
// The header texts are painted by the sheet, not held in controls, so these descriptors
// are where they can be read.
#include <gtest/gtest.h>

#include "app/ProcessState.h"
#include "wizard/Wizard.h"
#include "wizard/WizardPages.h"

namespace {

// The 4.71 descriptor forms: 48 and 52 bytes in 32-bit code, 88 and 96 in 64-bit code.
constexpr bool Is32Bit = sizeof(void*) == 4;
constexpr UINT PageDescriptorSize = Is32Bit ? 48 : 88;
constexpr UINT SheetHeaderSize = Is32Bit ? 52 : 96;

TEST(WizardDescriptors, PagesCarryTheirDialogProcedureHeaderTextsAndFlags)
{
    struct {
        WORD dialog;
        DLGPROC procedure;
        WORD title, subtitle;
        DWORD flags;
    } const pages[] = {
        {120, WelcomePageProc, 4, 5, 0x3800},
        {180, ProductPageProc, 28, 29, 0x3000},
        {130, LicensePageProc, 6, 7, 0x3000},
        {160, RegistrationPageProc, 12, 13, 0x3000},
        {166, FinishPageProc, 2, 3, 0x3000},
    };
    AppInstance = GetModuleHandleA(nullptr);
    for (UINT i = 0; i < WizardPageCount; ++i) {
        SCOPED_TRACE(i);
        PROPSHEETPAGEA page;
        memset(&page, 0xCC, sizeof page);
        FillPageDescriptor(i, page);
        EXPECT_EQ(PageDescriptorSize, page.dwSize);
        EXPECT_EQ(pages[i].flags, page.dwFlags);
        EXPECT_EQ(AppInstance, page.hInstance);
        EXPECT_EQ(MAKEINTRESOURCEA(pages[i].dialog), page.pszTemplate);
        EXPECT_EQ(pages[i].procedure, page.pfnDlgProc);
        EXPECT_EQ(MAKEINTRESOURCEA(pages[i].title), page.pszHeaderTitle);
        EXPECT_EQ(MAKEINTRESOURCEA(pages[i].subtitle), page.pszHeaderSubTitle);
        EXPECT_EQ(nullptr, page.hIcon);
        EXPECT_EQ(nullptr, page.pszTitle);
        EXPECT_EQ(0, page.lParam);
        EXPECT_EQ(nullptr, page.pfnCallback);
        EXPECT_EQ(nullptr, page.pcRefParent);
    }
    AppInstance = nullptr;
}

TEST(WizardDescriptors, SheetIsAClassicWizard97WithIconWatermarkAndHeader)
{
    AppInstance = GetModuleHandleA(nullptr);
    HPROPSHEETPAGE handles[WizardPageCount] = {};
    PROPSHEETHEADERA sheet;
    memset(&sheet, 0xCC, sizeof sheet);
    FillSheetHeader(handles, sheet);
    EXPECT_EQ(SheetHeaderSize, sheet.dwSize);
    EXPECT_EQ(0x8A004u, sheet.dwFlags);
    EXPECT_EQ(nullptr, sheet.hwndParent);
    EXPECT_EQ(AppInstance, sheet.hInstance);
    EXPECT_EQ(MAKEINTRESOURCEA(170), sheet.pszIcon);
    EXPECT_EQ(nullptr, sheet.pszCaption);
    EXPECT_EQ(5u, sheet.nPages);
    EXPECT_EQ(0u, sheet.nStartPage);
    EXPECT_EQ(handles, sheet.phpage);
    EXPECT_EQ(nullptr, sheet.pfnCallback);
    EXPECT_EQ(MAKEINTRESOURCEA(166), sheet.pszbmWatermark);
    EXPECT_EQ(nullptr, sheet.hplWatermark);
    EXPECT_EQ(MAKEINTRESOURCEA(169), sheet.pszbmHeader);  // the header band, at 96 DPI
    AppInstance = nullptr;
}

} // namespace
