// Whether the setup's file is the one that was built: any byte changed, missing or added
// fails it, in code, resources, payload or headers, before any window opens. A damaged
// download must never hand a damaged payload to the Application Manager.
#pragma once

// Checks the file at `path` against its trailer and its PE checksum.
bool SetupFileIsIntact(const char* path);

// Checks the program's own file; fails closed where its path cannot be read.
bool OwnFileIsIntact();
