// Record files, written and read with the platform's own file calls: the writer runs
// inside the setup, in the hook libraries, where nothing but the platform is at hand.
#include "driver/probe/RecordFile.h"

#include <windows.h>

namespace {

constexpr char Separator = '|';
constexpr char LineEnd[] = "\r\n";

// Writes `content` through the file opened with this access and disposition; false when it
// could not be opened or written whole. Shared for writing: a library and the program it
// lives in may both append to one record.
bool WriteToFile(const char* path, const std::string& content, DWORD access, DWORD disposition)
{
    HANDLE file = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return wrote && written == content.size();
}

}  // namespace

std::string RecordLine(const Record& fields)
{
    std::string line;
    for (const std::string& field : fields) {
        if (&field != &fields.front())
            line += Separator;
        line += field;
    }
    return line + LineEnd;
}

bool WriteRecord(const char* variable, const std::string& lines, bool replace)
{
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(variable, path, MAX_PATH);
    return length && length < MAX_PATH &&
           WriteToFile(path, lines, replace ? GENERIC_WRITE : FILE_APPEND_DATA,
                       replace ? CREATE_ALWAYS : OPEN_ALWAYS);
}

bool WriteWholeFile(const std::string& path, const std::string& content)
{
    return WriteToFile(path.c_str(), content, GENERIC_WRITE, CREATE_ALWAYS);
}

std::vector<Record> ReadRecords(const std::string& path)
{
    std::vector<Record> records;
    bool lineEnded = true;
    for (char c : ReadWholeFile(path)) {
        if (lineEnded)
            records.emplace_back(1);
        lineEnded = c == LineEnd[1];
        if (c == Separator)
            records.back().emplace_back();
        else if (c != LineEnd[0] && c != LineEnd[1])
            records.back().back() += c;
    }
    return records;
}

std::vector<std::string> ReadFirstFields(const std::string& path)
{
    std::vector<std::string> fields;
    for (const Record& record : ReadRecords(path))
        fields.push_back(record[0]);
    return fields;
}

std::string ReadWholeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string content(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    content.resize(read);
    return content;
}
