// What the build recorded of each payload file as it must land on disk: its length and
// CRC-32, in a resource of the type "BINSUM" under the payload's own name. Each extracted
// file is read back and compared, which catches a full disk, a failing drive or a scanner
// that rewrote the file.
#pragma once

#include <windows.h>

// ERROR_SUCCESS when the file at `path` holds exactly what the record of payload `name`
// in `module` says; else Windows' reason why it cannot be read, or ContentFault when it
// differs or there is no record.
DWORD CompareWithPayloadDigest(const char* path, HMODULE module, const char* name);
