// ShowInstallMessage: the caption is the application's title, which nothing sets, so
// these boxes carry an empty caption.
#include "InstallMessage.h"

#include "Application.h"
#include "LateBound.h"
#include "ProcessState.h"
#include "SystemMessage.h"
#include "TempString.h"

void ShowInstallMessage(HWND owner, unsigned stringId, DWORD reason)
{
    TextString* text = LoadTempString(stringId);
    AppendSystemReason(*text, reason);
    LateBound::MessageBoxA(owner, text->GetText(), CurrentApplication->AppTitle.GetText(),
                           MB_OK);
}
