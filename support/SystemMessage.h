// Windows' own words for an error code, for the second line of a message box.
#pragma once

#include <windows.h>

#include "support/TextString.h"

// Adds a line break and the system's message for `error` to `text`; adds nothing for
// ERROR_SUCCESS (no reason known) or when Windows has no message for the code.
void AppendSystemReason(TextString& text, DWORD error);
