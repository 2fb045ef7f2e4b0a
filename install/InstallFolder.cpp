// Install folder preparation: only a folder of the name will do; a file there is an
// obstacle that Windows names.
#include "install/InstallFolder.h"

#include "install/InstallMessage.h"
#include "resources/resource.h"
#include "support/UniqueHandle.h"

bool IsFolder(const TextString& path)
{
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(path.GetText(), &found));
    return search.IsValid() && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A folder that appeared meanwhile (another program made it) will do.
DWORD CreateFolderLevel(const TextString& path)
{
    if (CreateDirectoryA(path.GetText(), nullptr))
        return ERROR_SUCCESS;
    DWORD reason = GetLastError();
    return IsFolder(path) ? ERROR_SUCCESS : reason;
}

bool PrepareInstallFolder(const char* path, HWND owner)
{
    TextString folder(path);
    int length = folder.GetLength();
    if (length > 0 && folder.GetText()[length - 1] == '\\')
        folder.Truncate(length - 1);  // one trailing backslash only
    if (folder.GetLength() == 0) {
        ShowInstallMessage(owner, IDS_INVALID_FOLDER);
        return false;
    }
    DWORD reason = ERROR_SUCCESS;
    if (CreateFolderWithParents(folder, reason))
        return true;
    ShowInstallMessage(owner, IDS_FOLDER_FAILED, reason);
    return false;
}

// Climbs to the first ancestor that exists or can be made, then creates each missing
// level on the way back, outermost first. Whatever was made before a failure stays. A
// file in the way fails its level with the reason Windows gives (it already exists).
bool CreateFolderWithParents(TextString path, DWORD& reason)
{
    if (IsFolder(path))
        return true;
    reason = CreateFolderLevel(path);
    if (reason == ERROR_SUCCESS)
        return true;
    int separator = path.ReverseFind('\\');
    if (reason == ERROR_ALREADY_EXISTS || separator < 0)
        return false;
    if (!CreateFolderWithParents(TextString(path.GetText(), separator), reason))
        return false;
    reason = CreateFolderLevel(path);
    return reason == ERROR_SUCCESS;
}
