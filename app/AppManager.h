// Finding the Windows CE Application Manager through its App Paths entry, and handing
// the installed payload over to it.
#pragma once

#include "support/TextString.h"

// The App Paths key of the Application Manager under HKEY_LOCAL_MACHINE.
inline constexpr char AppManagerKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAppMgr.exe";

// The Application Manager's full path, or the empty text when it is not registered.
// The first call opens the App Paths key for all access (creating it when missing);
// the key stays open until CloseAppManagerKey.
TextString ReadAppManagerPath();
void CloseAppManagerKey();

// Turns the Application Manager's path into the install folder beside it, in place.
void MakeInstallFolder(TextString& folder);

// Whether the registered path names a file on a disk: an entry left behind by a removed
// ActiveSync names none, and a folder, a device or a pipe is no Application Manager.
bool AppManagerIsInstalled(const TextString& path);

// Starts the Application Manager, read anew from the registry, with the two INI files of
// installFolder, and does not wait for it. ERROR_SUCCESS, or Windows' reason why it could
// not be started; the platform shows no box of its own for that.
DWORD LaunchAppManager(const TextString& installFolder);
