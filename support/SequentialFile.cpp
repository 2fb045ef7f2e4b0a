// OpenForSequentialReading: the sequential-scan hint lets Windows read ahead.
#include "support/SequentialFile.h"

DWORD OpenForSequentialReading(const char* path, FileHandle& file)
{
    file.Reset(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return file.IsValid() ? ERROR_SUCCESS : GetLastError();
}
