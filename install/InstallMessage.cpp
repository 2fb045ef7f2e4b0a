// ShowInstallMessage: the caption is the application's title, which nothing sets, so
// these boxes carry an empty caption.
#include "install/InstallMessage.h"

#include "app/ProcessState.h"
#include "app/framework/Application.h"
#include "app/framework/TempString.h"
#include "support/LateBound.h"
#include "support/SystemMessage.h"

void ShowInstallMessage(HWND owner, unsigned stringId, DWORD reason)
{
    TextString* text = LoadTempString(stringId);
    AppendSystemReason(*text, reason);
    LateBound::MessageBoxA(owner, text->GetText(), CurrentApplication->AppTitle.GetText(), MB_OK);
}
