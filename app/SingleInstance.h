// One setup at a time: two copies would install into one folder at once. The first copy
// holds a named record of its process id; a second one finds it, brings the first one's
// window to the front and ends without showing or touching anything.
#pragma once

#include <windows.h>

#include "support/UniqueHandle.h"

class SingleInstance {
public:
    // True when no other copy runs; this copy then stays the one until it ends.
    bool Claim();
    // Brings the window of the copy that runs to the front.
    static void ShowOtherCopy();

private:
    ObjectHandle record;
};
