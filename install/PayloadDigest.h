// What the build recorded of each payload file as it must land on disk: its length and
// CRC-32, in a resource of the type "BINSUM" under the payload's own name. Each extracted
// file is read back and compared, which catches a full disk, a failing drive or a scanner
// that rewrote the file.
#pragma once

#include <windows.h>

// True when the file at `path` holds exactly what the record of payload `name` in
// `module` says; false when it differs, cannot be read, or there is no record. On false,
// GetLastError holds the system's reason, or ERROR_SUCCESS when the file differs.
bool FileMatchesPayloadDigest(const char* path, HMODULE module, const char* name);
