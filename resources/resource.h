// Resource ids of the setup program, shared by the resource script and the code.
#pragma once

// The ids in aligned columns, as the resource script lists them.
// clang-format off

// A control that the code never addresses.
#define IDC_STATIC              -1

// ---- Dialogs: the five wizard pages, in the order the wizard shows them -------------
#define IDD_WELCOME             120
#define IDD_PRODUCT             180
#define IDD_LICENSE             130
#define IDD_REGISTRATION        160
#define IDD_FINISH              166

// ---- Welcome page (120) -------------------------------------------------------------
#define IDC_WELCOME_TEXT        1001   // two "%s", both the product label
#define IDC_LOGO                1003   // the maker's logo, set for the screen's DPI

// ---- Product information page (180) -------------------------------------------------
#define IDC_PRODUCT_HEADING     1000   // one "%s"
#define IDC_CHECKMARK_1         1010   // the five check marks, set for the screen's DPI
#define IDC_CHECKMARK_2         1011
#define IDC_CHECKMARK_3         1012
#define IDC_CHECKMARK_4         1013
#define IDC_CHECKMARK_5         1014

// ---- License agreement page (130) ---------------------------------------------------
#define IDC_LICENSE_ACCEPT      1000
#define IDC_LICENSE_DECLINE     1001
#define IDC_LICENSE_TEXT        1002

// ---- Registration links page (160) --------------------------------------------------
#define IDC_REGISTRATION_LINK   1020
#define IDC_SUPPORT_LINK        1021

// ---- Finish page (166) --------------------------------------------------------------
#define IDC_FINISH_TEXT         1000   // one "%s"

// ---- Pictures -----------------------------------------------------------------------
#define IDB_WATERMARK           166    // 2 x 1, white: the exterior page's watermark
#define IDB_HEADER              169    // 452 x 59, RLE4: the interior pages' header band,
                                       // white with the maker's logo at its right end
#define IDB_HEADER_150          172    // the band at 150% and 200%
#define IDB_HEADER_200          173
#define IDB_LOGO                269    // 150 x 43, RLE4: the maker's logo on the welcome page
#define IDB_LOGO_150            270    // the logo at 150% and 200%
#define IDB_LOGO_200            271
#define IDI_SETUP               170    // 32 x 32: the sheet's icon
#define IDI_CHECKMARK           182    // 16 x 16: the product page's bullets

// ---- The license agreement ----------------------------------------------------------
#define IDR_LICENSE             165    // of the resource type "LICENCE"

// ---- String table: wizard headers ---------------------------------------------------
#define IDS_FINISH_TITLE        2
#define IDS_FINISH_SUBTITLE     3
#define IDS_WELCOME_TITLE       4      // never shown: the welcome page has no header
#define IDS_WELCOME_SUBTITLE    5
#define IDS_LICENSE_TITLE       6
#define IDS_LICENSE_SUBTITLE    7
#define IDS_REGISTRATION_TITLE  12
#define IDS_REGISTRATION_SUBTITLE 13
#define IDS_PRODUCT_TITLE       28
#define IDS_PRODUCT_SUBTITLE    29

// ---- String table: the setup flow ---------------------------------------------------
#define IDS_WIZARD_TITLE        16     // "Orbelwick %s %sInstalation Wizard"
#define IDS_INVALID_FOLDER      17
#define IDS_EXTRACT_FAILED      18
#define IDS_FOLDER_FAILED       19
#define IDS_ACTIVESYNC_MISSING  31
#define IDS_ERROR_CAPTION       32
#define IDS_SETUP_DAMAGED       33     // the setup's own file is not the one that was built
#define IDS_SETUP_UNREADABLE    34     // the setup's own file cannot be read at all
#define IDS_HANDOFF_FAILED      35     // the Application Manager could not be started
#define IDS_WIZARD_FAILED       36     // the wizard could not be shown

// ---- String table: the registration page's links ------------------------------------
#define IDS_SUPPORT_MAIL        100    // "mailto:...?subject=Question (%s)"
#define IDS_REGISTRATION_URL    101
