// Stands in for the browser and the mail program: appends the address it was asked to
// open, one line a call, to the file named by KORVANE_LINK_RECORD (else links.record
// beside itself), then exits 0. With KORVANE_LINK_SHOW_RECORD set, it also appends to that
// file, one line a call, how it was asked to show its window: the number, or "default".
#include <windows.h>

namespace {

// The command line without the program's own name and the quotes around the address.
const char* Address(char* commandLine)
{
    char* at = commandLine;
    if (*at == '"') {
        at = strchr(at + 1, '"');
        at = at ? at + 1 : commandLine + lstrlenA(commandLine);
    } else {
        while (*at && *at != ' ')
            ++at;
    }
    while (*at == ' ')
        ++at;
    int length = lstrlenA(at);
    if (length >= 2 && at[0] == '"' && at[length - 1] == '"') {
        at[length - 1] = '\0';
        ++at;
    }
    return at;
}

bool AppendLine(const char* path, const char* line)
{
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
    return true;
}

// The show state the starter gave, kept apart so the address record stays one line a call.
bool RecordShowState()
{
    char record[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KORVANE_LINK_SHOW_RECORD", record, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return true;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char show[16] = "default";
    if (startup.dwFlags & STARTF_USESHOWWINDOW)
        wsprintfA(show, "%u", static_cast<unsigned>(startup.wShowWindow));
    return AppendLine(record, show);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char record[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KORVANE_LINK_RECORD", record, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        length = GetModuleFileNameA(nullptr, record, MAX_PATH - 16);
        while (length > 0 && record[length - 1] != '\\')
            --length;
        lstrcpyA(record + length, "links.record");
    }
    if (!AppendLine(record, Address(GetCommandLineA())))
        return 1;
    return RecordShowState() ? 0 : 1;
}
