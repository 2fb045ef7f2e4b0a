// Windows' own words for an error code, for the second line of a message box.
#pragma once

#include <windows.h>

#include "support/TextString.h"

// A failure that Windows did not cause, such as a file unlike its record or a stream LZ32
// cannot expand: a code of the program's own (APPLICATION_ERROR_MASK), with no system text.
constexpr DWORD ContentFault = APPLICATION_ERROR_MASK | 1;
// A failure that Windows reported without saying why.
constexpr DWORD UnexplainedFault = APPLICATION_ERROR_MASK | 2;

// Windows' reason for the failure it just reported, never ERROR_SUCCESS.
inline DWORD LastFailure()
{
    DWORD reason = GetLastError();
    return reason != ERROR_SUCCESS ? reason : UnexplainedFault;
}

// Adds a line break and the system's message for `error` to `text`; adds nothing for
// ERROR_SUCCESS (no reason known), for a code of the program's own, or when Windows has
// no message for the code.
void AppendSystemReason(TextString& text, DWORD error);
