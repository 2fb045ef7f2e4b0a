// Extracting every "BIN" resource of the program into the install folder, as one set.
#pragma once

#include <windows.h>

class SetupApplication;

// Puts the program's payload into the application's InstallFolder. The new set is made
// whole beside the folder first, flushed to the disk and checked against the build's
// records, and only then takes the place of the files there: on true the folder holds the
// whole new set, and the result is ERROR_SUCCESS; else it holds the previous set as it
// was, and the result is Windows' reason (ContentFault when there is none, as for a file
// unlike its record). No temporaries are left either way.
DWORD ExtractPayload(SetupApplication& application);
