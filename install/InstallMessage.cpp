// ShowInstallMessage: the caption is the application's title, which nothing sets, so
// these boxes carry an empty caption.
#include "InstallMessage.h"

#include "Application.h"
#include "LateBound.h"
#include "ProcessState.h"
#include "TempString.h"

void ShowInstallMessage(HWND owner, unsigned stringId)
{
    LateBound::MessageBoxA(owner, LoadTempString(stringId)->GetText(), CurrentApplication->AppTitle.GetText(),
                MB_OK);
}
