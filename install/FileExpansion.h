// Expanding an SZDD-compressed file with the platform's LZ32, or copying a plain one.
#pragma once

// True when the target holds the whole content, flushed to the disk: the expanded
// length that the SZDD header states, or the size of a plain source. On false,
// GetLastError holds Windows' reason, or ERROR_SUCCESS when the content itself is at
// fault (a stream cut short or running on, a compression mode LZ32 does not know).
bool ExpandFile(const char* source, const char* target);
