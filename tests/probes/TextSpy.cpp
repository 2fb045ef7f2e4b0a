// A probe library: set on the setup's thread by a test, it appends each text that the
// setup gives a Rich Edit control (WM_SETTEXT) as one record to the spy record
// (SharedNames.h). What a control shows cannot tell RTF set text from plain text; what it
// was given can.
#include <windows.h>

#include "driver/probe/ProbeHook.h"
#include "driver/probe/RecordFile.h"
#include "driver/probe/SharedNames.h"

namespace {

bool IsRichEdit(HWND window)
{
    char className[32];
    return GetClassNameA(window, className, sizeof className) > 0 &&
           lstrcmpiA(className, "RichEdit20A") == 0;
}

}  // namespace

LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SETTEXT && message->lParam &&
        IsRichEdit(message->hwnd))
        WriteRecord(Variable::SpyRecord,
                    RecordLine({reinterpret_cast<const char*>(message->lParam)}));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
