// OpenForSequentialReading: the sequential-scan hint lets Windows read ahead.
#include "support/SequentialFile.h"

HANDLE OpenForSequentialReading(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}
