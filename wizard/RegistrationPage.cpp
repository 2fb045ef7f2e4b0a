// The registration page: two live links, the registration form and the support mail.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include "app/ProcessState.h"
#include "app/Product.h"
#include "resources/resource.h"
#include "support/LateBound.h"
#include "support/TextString.h"
#include "wizard/PageConduct.h"
#include "wizard/WizardPages.h"

namespace {

// The extended and the basic version record; older systems accept only the basic one.
constexpr DWORD ExtendedVersionInfoSize = 156;
constexpr DWORD BasicVersionInfoSize = 148;
static_assert(sizeof(OSVERSIONINFOEXA) == ExtendedVersionInfoSize);
static_assert(sizeof(OSVERSIONINFOA) == BasicVersionInfoSize);

// Wraps a link text so that the Rich Edit control reads it as RTF.
const char RtfFormat[] = "{\\rtf %s}";

bool QueryVersion(OSVERSIONINFOEXA& version)
{
    version = {};
    version.dwOSVersionInfoSize = ExtendedVersionInfoSize;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version)))
        return true;
    version.dwOSVersionInfoSize = BasicVersionInfoSize;
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version)) != 0;
}

// Windows 95 and older: the links are set as plain text.
bool WantsPlainText(const OSVERSIONINFOEXA& version)
{
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
           (version.dwMajorVersion < 4 ||
            (version.dwMajorVersion == 4 && version.dwMinorVersion == 0));
}

// Detection must be on before the text is set, or no link appears. The link lies on the
// page's face colour: Windows would draw a transparent Rich Edit so, but Wine ignores
// WS_EX_TRANSPARENT and fills it white; the colour given looks the same on both.
void SetLink(HWND page, int controlId, TextString& text, bool plain)
{
    if (!plain)
        text.Format(RtfFormat, text.GetText());
    LateBound::SendDlgItemMessageA(page, controlId, EM_AUTOURLDETECT, TRUE, 0);
    LateBound::SetDlgItemTextA(page, controlId, text.GetText());
    LateBound::SendDlgItemMessageA(page, controlId, EM_SETEVENTMASK, 0, ENM_LINK | ENM_KEYEVENTS);
    LateBound::SendDlgItemMessageA(page, controlId, EM_SETBKGNDCOLOR, 0,
                                   LateBound::GetSysColor(COLOR_3DFACE));
}

void Open(const TextString& address)
{
    SHELLEXECUTEINFOA open = {};
    open.cbSize = sizeof open;
    open.lpFile = address.GetText();
    open.nShow = SW_SHOWNORMAL;
    if (LateBound::Bind(LateBound::Library::Shell) == ERROR_SUCCESS)
        LateBound::ShellExecuteExA(&open);  // a missing browser or mail program is not reported
}

void Initialise(HWND page)
{
    OSVERSIONINFOEXA version;
    if (!QueryVersion(version))
        return;
    bool plain = WantsPlainText(version);

    TextString registration;
    registration.LoadString(AppInstance, IDS_REGISTRATION_URL);
    SetLink(page, IDC_REGISTRATION_LINK, registration, plain);

    // The support link shows the address without its query.
    TextString support;
    support.LoadString(AppInstance, IDS_SUPPORT_MAIL);
    int query = support.Find('?');
    if (query >= 0)
        support.Truncate(query);
    SetLink(page, IDC_SUPPORT_LINK, support, plain);
}

// Opens the whole address of a link, whichever part of it was clicked.
BOOL OpenLink(int controlId)
{
    TextString address;
    switch (controlId) {
    case IDC_REGISTRATION_LINK:
        address.LoadString(AppInstance, IDS_REGISTRATION_URL);
        break;
    case IDC_SUPPORT_LINK:
        address.LoadString(AppInstance, IDS_SUPPORT_MAIL);
        address.Format(nullptr, ProductLabel);
        break;
    default:
        return FALSE;
    }
    Open(address);
    return TRUE;
}

// From the keyboard a link opens with Enter or Space, as a click opens it. A Rich Edit
// in a dialog passes Tab to its own page, whose other controls are only the other link:
// the sheet moves the focus instead, so that Tab leaves the links.
bool OnKey(HWND page, int controlId, const MSGFILTER& key)
{
    if (key.msg != WM_KEYDOWN)
        return false;
    switch (key.wParam) {
    case VK_RETURN:
    case VK_SPACE:
        return OpenLink(controlId);
    case VK_TAB:
        LateBound::SendMessageA(LateBound::GetParent(page), WM_NEXTDLGCTL,
                                LateBound::GetKeyState(VK_SHIFT) < 0, FALSE);
        return true;
    default:
        return false;
    }
}

BOOL OnNotify(HWND page, WPARAM wParam, LPARAM lParam)
{
    switch (NotificationCode(lParam)) {
    case EN_LINK:
        return reinterpret_cast<const ENLINK*>(lParam)->msg == WM_LBUTTONUP &&
               OpenLink(LOWORD(wParam));
    case EN_MSGFILTER:
        // Nonzero tells the Rich Edit that the key has been handled.
        return AnswerNotification(
            page, OnKey(page, LOWORD(wParam), *reinterpret_cast<const MSGFILTER*>(lParam)));
    default:
        return FALSE;
    }
}

}  // namespace

const PageConduct RegistrationConduct = {.buttons = FixedButtons<PSWIZB_BACK | PSWIZB_NEXT>,
                                         .initialise = Initialise,
                                         .notify = OnNotify};
