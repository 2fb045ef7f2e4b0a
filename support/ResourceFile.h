// Writing one resource's bytes, as stored, into a file.
#pragma once

#include <windows.h>

// Creates or replaces the file (a read-only, hidden or system one too) and writes the
// resource into it in one piece. False when the resource is missing, the file cannot be
// created or the write falls short, with Windows' reason in `reason`.
bool WriteResourceToFile(const char* path, HMODULE module, LPCSTR name, LPCSTR type, DWORD& reason);
