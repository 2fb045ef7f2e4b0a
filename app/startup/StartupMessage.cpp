// Messages before the static objects exist: the string from the program's own table,
// Windows' reason under it, and the empty caption of the other installation messages.
#include "app/startup/Startup.h"

#include "support/LateBound.h"
#include "support/SystemMessage.h"
#include "support/TextString.h"

void EndWithMessage(unsigned stringId, DWORD reason, int exitCode)
{
    if (LateBound::Bind(LateBound::Library::Messages) == ERROR_SUCCESS) {
        TextString text;
        text.LoadString(nullptr, stringId);
        AppendSystemReason(text, reason);
        LateBound::MessageBoxA(nullptr, text.GetText(), "", MB_OK);
    }
    ExitProcess(static_cast<UINT>(exitCode));
}
