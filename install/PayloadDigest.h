// Each extracted file read back and compared with what the build recorded of it
// (format/PayloadRecord.h), which catches a full disk, a failing drive or a scanner that
// rewrote the file.
#pragma once

#include <windows.h>

// ERROR_SUCCESS when the file at `path` holds exactly what the record of payload `name`
// in `module` says; else Windows' reason why it cannot be read, or ContentFault when it
// differs or there is no record.
DWORD CompareWithPayloadDigest(const char* path, HMODULE module, const char* name);
