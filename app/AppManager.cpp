// Application Manager lookup and hand-off.
#include "app/AppManager.h"

#include "app/Product.h"
#include "support/LateBound.h"
#include "support/RegKey.h"
#include "support/SystemMessage.h"
#include "support/UniqueHandle.h"

namespace {

const char ProductIniName[] = "\\Korvane.ini";
const char CommonIniName[] = "\\Common1.ini";
const char CommandLineFormat[] = "\"%s\" \"%s\"";

RegKey* AppManagerKey = nullptr;

// A path written as an expandable string (as under %windir%) is expanded within the
// same 511-character bound as the read; a longer expansion reads as empty.
TextString Expanded(const TextString& path)
{
    TextString expanded;
    char* buffer = expanded.Reserve(RegValue::BufferSize - 1);
    if (!buffer)
        return expanded;
    DWORD needed = ExpandEnvironmentStringsA(path.GetText(), buffer, RegValue::BufferSize);
    if (needed == 0 || needed > RegValue::BufferSize)
        buffer[0] = '\0';
    expanded.SetLength(-1);
    return expanded;
}

// A path enclosed in one pair of double quotes names the file inside them.
void RemoveEnclosingQuotes(TextString& path)
{
    int length = path.GetLength();
    const char* text = path.GetText();
    if (length >= 2 && text[0] == '"' && text[length - 1] == '"')
        path = TextString(text + 1, length - 2);
}

// Windows takes "/" as a separator too; the install folder is built on "\\".
void UseBackslashes(TextString& path)
{
    for (char* at = path.GetBuffer(); at && *at; ++at) {
        if (*at == '/')
            *at = '\\';
    }
}

TextString ReadPathValue(const RegKey& key)
{
    RegValue value = key.Value("");
    TextString path = value.GetString();
    if (value.GetType() == REG_EXPAND_SZ)
        path = Expanded(path);
    RemoveEnclosingQuotes(path);
    UseBackslashes(path);
    return path;
}

}  // namespace

TextString ReadAppManagerPath()
{
    if (!AppManagerKey)
        AppManagerKey = new RegKey(HKEY_LOCAL_MACHINE, AppManagerKeyPath);
    TextString path;
    if (AppManagerKey)
        path = ReadPathValue(*AppManagerKey);
    // A 32-bit program on 64-bit Windows sees the 32-bit registry view, where a 64-bit
    // Application Manager has no entry: look in the 64-bit view before giving up.
    if (path.GetLength() == 0)
        path = ReadPathValue(
            RegKey::OpenForReading(HKEY_LOCAL_MACHINE, AppManagerKeyPath, KEY_WOW64_64KEY));
    return path;
}

void CloseAppManagerKey()
{
    delete AppManagerKey;
    AppManagerKey = nullptr;
}

void MakeInstallFolder(TextString& folder)
{
    folder.Truncate(folder.ReverseFind('\\') + 1);
    folder.Append(InstallSubfolder);
}

// Only a file on a disk will do. A folder cannot be opened as a file, and a device name
// ("NUL", "COM1", also as "C:\folder\NUL.exe") or a pipe opens as a device of another
// type: Windows reports such names as existing files, and Wine even gives them file
// attributes.
bool AppManagerIsInstalled(const TextString& path)
{
    FileHandle file(CreateFileA(path.GetText(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid() && GetFileType(file.Get()) == FILE_TYPE_DISK;
}

DWORD LaunchAppManager(const TextString& installFolder)
{
    TextString commonIni = installFolder + CommonIniName;
    TextString productIni = installFolder + ProductIniName;
    TextString commandLine;
    commandLine.Format(CommandLineFormat, productIni.GetText(), commonIni.GetText());

    TextString appManager = ReadAppManagerPath();
    if (appManager.GetLength() == 0)
        return ERROR_FILE_NOT_FOUND;  // the entry went while the wizard ran
    if (DWORD reason = LateBound::Bind(LateBound::Library::Shell))
        return reason;
    SHELLEXECUTEINFOA launch = {};
    launch.cbSize = sizeof(launch);
    launch.fMask = SEE_MASK_FLAG_NO_UI;  // the setup says what failed, in one box
    launch.lpFile = appManager.GetText();
    launch.lpParameters = commandLine.GetText();
    launch.nShow = SW_SHOWNORMAL;  // it may have a question for the user
    // Started, and not waited for; or failed, with Windows' reason.
    return LateBound::ShellExecuteExA(&launch) ? ERROR_SUCCESS : LastFailure();
}
