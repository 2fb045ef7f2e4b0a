// ShowInstallMessage: the caption is the application's title, which nothing sets, so
// these boxes carry an empty caption.
#include "install/InstallMessage.h"

#include "app/Application.h"
#include "app/ProcessState.h"
#include "app/TempString.h"
#include "support/LateBound.h"
#include "support/SystemMessage.h"

void ShowInstallMessage(HWND owner, unsigned stringId, DWORD reason)
{
    TextString* text = LoadTempString(stringId);
    AppendSystemReason(*text, reason);
    LateBound::MessageBoxA(owner, text->GetText(), CurrentApplication->AppTitle.GetText(), MB_OK);
}
