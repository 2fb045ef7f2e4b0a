// Stands in for the browser and the mail program: appends the address it was asked to
// open, one line a call, to the file named by KORVANE_LINK_RECORD, then exits 0.
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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char record[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KORVANE_LINK_RECORD", record, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    return AppendLine(record, Address(GetCommandLineA())) ? 0 : 1;
}
