// Strings of the string table that live in the temporary-object pool until its next
// FreeAll, so that a caller can use a message text without owning it.
#pragma once

#include "support/TextString.h"

// Never null: when memory is exhausted, an empty string that is never freed.
TextString* LoadTempString(unsigned id);
