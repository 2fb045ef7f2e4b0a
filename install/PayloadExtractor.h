// Extracting every "BIN" resource of the program into the install folder.
#pragma once

#include <windows.h>

class SetupApplication;

// Extracts each payload resource into the application's InstallFolder, going on past
// any that fails; true when every one came out whole (also when there is none).
bool ExtractPayload(SetupApplication& application);

// The enumeration callback for one resource; always goes on to the next.
BOOL CALLBACK ExtractPayloadResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR parameter);
