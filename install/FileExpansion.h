// Expanding an SZDD-compressed file with the platform's LZ32, or copying a plain one.
#pragma once

#include <windows.h>

// True when the target holds the whole content, flushed to the disk: the expanded
// length that the SZDD header states, or the size of a plain source. On false, `reason`
// holds Windows' reason, or ContentFault when the content itself is at fault (a stream
// cut short or running on, a compression mode LZ32 does not know).
bool ExpandFile(const char* source, const char* target, DWORD& reason);
