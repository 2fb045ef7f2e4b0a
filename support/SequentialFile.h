// Files the setup reads once from start to end, in large pieces: its own file, and each
// file it extracted, read back against its record.
#pragma once

#include <windows.h>

#include "support/UniqueHandle.h"

// The size of each piece read, and of the buffer that takes it.
constexpr DWORD ReadPieceSize = 64 * 1024;

// Opens an existing file for reading in order, beside other readers: ERROR_SUCCESS, or
// Windows' reason why it cannot be opened.
DWORD OpenForSequentialReading(const char* path, FileHandle& file);
