// Expanding an SZDD-compressed file with the platform's LZ32, or copying a plain one.
#pragma once

// True when the target holds the whole content: the expanded length that the SZDD
// header states, or the size of a plain source.
bool ExpandFile(const char* source, const char* target);
