// Install folder preparation: any directory entry of the name counts as existing.
#include "InstallFolder.h"

#include "InstallMessage.h"
#include "UniqueHandle.h"
#include "resource.h"

namespace {

bool Exists(const TextString& path)
{
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(path.GetText(), &found));
    return search.IsValid();
}

} // namespace

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
    if (Exists(folder) || CreateFolderWithParents(folder))
        return true;
    ShowInstallMessage(owner, IDS_FOLDER_FAILED);
    return false;
}

// Climbs to the first ancestor that exists or can be made, then creates each missing
// level on the way back, outermost first. Whatever was made before a failure stays.
bool CreateFolderWithParents(TextString path)
{
    if (Exists(path) || CreateDirectoryA(path.GetText(), nullptr))
        return true;
    int separator = path.ReverseFind('\\');
    if (separator < 0)
        return false;
    if (!CreateFolderWithParents(TextString(path.GetText(), separator)))
        return false;
    return CreateDirectoryA(path.GetText(), nullptr) != 0;
}
