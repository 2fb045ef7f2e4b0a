// How a run of the setup ends, as the process exit code a script reads: 0 only when the
// payload is installed and handed to the Application Manager. Windows Installer's codes
// where one fits, since deployment tools know them; each road has its own.
#pragma once

#include <windows.h>

namespace ExitCode {

constexpr int Installed = ERROR_SUCCESS;
constexpr int Cancelled = ERROR_INSTALL_USEREXIT;                     // 1602
constexpr int ActiveSyncMissing = ERROR_INSTALL_PREREQUISITE_FAILED;  // 15613
constexpr int FolderFailed = ERROR_CANNOT_MAKE;                       // 82
constexpr int ExtractionFailed = ERROR_INSTALL_FAILURE;               // 1603
constexpr int HandOffFailed = ERROR_FUNCTION_FAILED;                  // 1627
constexpr int SetupDamaged = ERROR_FILE_CORRUPT;                      // 1392
constexpr int SetupUnreadable = ERROR_INSTALL_PACKAGE_OPEN_FAILED;    // 1619
constexpr int WizardFailed = ERROR_INSTALL_UI_FAILURE;                // 1621
constexpr int AlreadyRunning = ERROR_INSTALL_ALREADY_RUNNING;         // 1618

}  // namespace ExitCode
