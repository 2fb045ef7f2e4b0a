// What the setup shows and does, stated once for the tests, the demo and the benchmarks.
// Written out here rather than taken from the product's code: a change to the product
// then shows as a failure instead of being followed silently.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>
#include <string>

#include "PayloadNames.h"
#include "resources/resource.h"

inline constexpr char WizardTitle[] = "Orbelwick Korvane 1.0 Instalation Wizard";
// The caption of the box that says ActiveSync is missing; the other boxes have none.
inline constexpr char ErrorCaption[] = "Error";

// The pages in the order the wizard shows them, and the names of their screenshots.
enum WizardPage { WelcomePage, ProductPage, LicensePage, RegistrationPage, FinishPage, PageCount };
inline constexpr const char* PageNames[PageCount] = {"1-welcome", "2-product", "3-license",
                                                     "4-registration", "5-finish"};

// Each page's header title and subtitle, as string ids of the exe; the welcome page shows
// no header.
inline constexpr WORD HeaderTexts[PageCount][2] = {
    {0, 0},
    {IDS_PRODUCT_TITLE, IDS_PRODUCT_SUBTITLE},
    {IDS_LICENSE_TITLE, IDS_LICENSE_SUBTITLE},
    {IDS_REGISTRATION_TITLE, IDS_REGISTRATION_SUBTITLE},
    {IDS_FINISH_TITLE, IDS_FINISH_SUBTITLE},
};

// The sheet's own buttons.
constexpr int BackButton = 0x3023;
constexpr int NextButton = 0x3024;
constexpr int FinishButton = 0x3025;
constexpr int CancelButton = IDCANCEL;

// The license page: its two choices, and the agreement as the exe carries it.
constexpr int LicenseAcceptButton = IDC_LICENSE_ACCEPT;
constexpr int LicenseDeclineButton = IDC_LICENSE_DECLINE;
constexpr int LicenseTextBox = IDC_LICENSE_TEXT;

// The registration page's links, what they show and what they open.
constexpr int RegistrationLink = IDC_REGISTRATION_LINK;
constexpr int SupportLink = IDC_SUPPORT_LINK;
inline constexpr char RegistrationUrl[] = "http://www.orbelwick.example/en_registrace.php";
inline constexpr char SupportAddress[] = "mailto:help@orbelwick.example";
inline constexpr char SupportMail[] =
    "mailto:help@orbelwick.example?subject=Question (Korvane 1.0)";

// The files the setup extracts, in the order it extracts them.
inline constexpr const char* PayloadNames[] = {KORVANE_PAYLOAD_NAMES};
constexpr size_t PayloadCount = std::size(PayloadNames);

// Where the setup looks for the Application Manager (under HKEY_LOCAL_MACHINE), where it
// installs (below the Application Manager's folder) and what it hands over: the two INI
// files, the product's first.
inline constexpr char AppManagerEntryPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAppMgr.exe";
inline constexpr char InstallFolderBelowAppManager[] = "Orbelwick\\Korvane";
inline std::string HandOffArguments(const std::string& installFolder)
{
    return "\"" + installFolder + "\\Korvane.ini\" \"" + installFolder + "\\Common1.ini\"";
}

// The setup's own words in its message boxes; Windows' reason may follow on a second line.
namespace SetupMessage {
inline constexpr char ActiveSyncMissing[] =
    "Mirosoft ActiveSync is not installed on your PC. Install it first and then run the setup "
    "again.";
inline constexpr char InvalidFolder[] = "Invalid folder name.";
inline constexpr char FolderFailed[] = "Unable to create the folder.";
inline constexpr char ExtractionFailed[] = "Unable to extract the installation files.";
inline constexpr char HandOffFailed[] = "Unable to start the Windows CE Application Manager.";
inline constexpr char Damaged[] =
    "The setup file is damaged. Download it again and run the new copy.";
inline constexpr char Unreadable[] = "The setup file cannot be read.";
}  // namespace SetupMessage

// The setup's exit codes, as the README documents them for scripts.
namespace SetupExit {
constexpr DWORD Installed = 0;
constexpr DWORD Cancelled = 1602;
constexpr DWORD ActiveSyncMissing = 15613;
constexpr DWORD FolderFailed = 82;
constexpr DWORD ExtractionFailed = 1603;
constexpr DWORD HandOffFailed = 1627;
constexpr DWORD Damaged = 1392;
constexpr DWORD Unreadable = 1619;
constexpr DWORD WizardFailed = 1621;
constexpr DWORD AlreadyRunning = 1618;
}  // namespace SetupExit
