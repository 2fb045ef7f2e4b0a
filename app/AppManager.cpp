// Application Manager lookup and hand-off.
#include "AppManager.h"

#include "LateBound.h"
#include "RegKey.h"

namespace {

const char InstallSubfolder[] = "Orbelwick\\Korvane";
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
    char* text = path.GetText();
    if (length >= 2 && text[0] == '"' && text[length - 1] == '"')
        path = TextString(text + 1, length - 2);
}

TextString ReadPathValue(const RegKey& key)
{
    RegValue value = key.Value("");
    TextString path = value.GetString();
    if (value.GetType() == REG_EXPAND_SZ)
        path = Expanded(path);
    RemoveEnclosingQuotes(path);
    return path;
}

} // namespace

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
        path = ReadPathValue(RegKey(HKEY_LOCAL_MACHINE, AppManagerKeyPath, KEY_WOW64_64KEY));
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

void LaunchAppManager(const TextString& installFolder)
{
    TextString commonIni = installFolder + CommonIniName;
    TextString productIni = installFolder + ProductIniName;
    TextString commandLine;
    commandLine.Format(CommandLineFormat, productIni.GetText(), commonIni.GetText());

    SHELLEXECUTEINFOA launch = {};
    launch.cbSize = sizeof(launch);
    TextString appManager = ReadAppManagerPath();
    launch.lpFile = appManager.GetText();
    launch.lpParameters = commandLine.GetText();
    LateBound::ShellExecuteExA(&launch);  // not waited for, and a failure is not reported
}
