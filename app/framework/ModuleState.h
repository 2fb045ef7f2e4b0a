// ModuleState: the process-wide framework record, built before any other static object.
#pragma once

#include <windows.h>

#include "app/framework/TempPool.h"
#include "support/BaseObject.h"

class ModuleState : public BaseObject {
public:
    ::TempPool TempPool;
    // Nothing in this program sets these two; the message loops honour them when set.
    HWND ActiveWindow = nullptr;
    HWND ActiveDialog = nullptr;
};
