// Drives the real setup's wizard from another process.
#include "driver/WizardDriver.h"

#include <commctrl.h>

#include <utility>

#include "driver/Wait.h"
#include "driver/probe/Canvas.h"

namespace {

constexpr DWORD OpenTimeoutMs = 20000;
// Long enough for button requests still queued to arrive.
constexpr DWORD QueueDrainMs = 100;

}  // namespace

std::ostream& operator<<(std::ostream& out, const WizardButtons& b)
{
    return out << "{back " << b.back << ", next " << b.next << ", finish " << b.finish
               << ", cancel " << b.cancel << "}";
}

WizardDriver::WizardDriver(const std::string& arguments, const std::string& program,
                           const std::string& directory)
    : setup(program, arguments, directory)
{
    if (setup.Started())
        sheet = WaitForWindow(setup.Id(), DialogClass, WizardTitle, OpenTimeoutMs);
}

int WizardDriver::PageIndex() const
{
    constexpr DWORD_PTR NoPage = static_cast<DWORD_PTR>(-1);
    return static_cast<int>(
        Ask(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page()), 0, NoPage));
}

HWND WizardDriver::Page() const
{
    return reinterpret_cast<HWND>(Ask(sheet, PSM_GETCURRENTPAGEHWND));
}

WizardButtons WizardDriver::Buttons() const
{
    return {Pressable(Button(BackButton)), Pressable(Button(NextButton)),
            Pressable(Button(FinishButton)), Pressable(Button(CancelButton))};
}

WizardButtons WizardDriver::AwaitButtons(const WizardButtons& expected) const
{
    WaitUntil(SettleTimeoutMs, [&] { return Buttons() == expected; });
    // Requests are posted: let any still queued arrive before the final reading.
    Sleep(QueueDrainMs);
    return Buttons();
}

// A page asks for its buttons by a posted message: a page that has just come may not show
// them yet, so the press waits for the button to become pressable.
bool WizardDriver::Press(int buttonId)
{
    return WaitUntil(SettleTimeoutMs, [&] { return Pressable(Button(buttonId)); }) &&
           PressButton(Button(buttonId));
}

void WizardDriver::PressKey(WORD key, WORD modifier) const
{
    SetForegroundWindow(sheet);
    const std::pair<WORD, DWORD> strokes[] = {
        {modifier, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {modifier, KEYEVENTF_KEYUP}};
    std::vector<INPUT> keys;
    for (const auto& [vk, flags] : strokes) {
        if (vk)  // no modifier: its two strokes are left out
            keys.push_back({.type = INPUT_KEYBOARD, .ki = {.wVk = vk, .dwFlags = flags}});
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

HWND WizardDriver::Focus() const
{
    GUITHREADINFO thread = {sizeof thread};
    return GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &thread) ? thread.hwndFocus
                                                                               : nullptr;
}

bool WizardDriver::GoTo(int buttonId, int page)
{
    return Press(buttonId) && WaitUntil(SettleTimeoutMs, [&] { return PageIndex() == page; });
}

// The page asks for its buttons by posted messages: until the click on "I accept" has
// been handled, Next may still show the state of the page before, which the page's own
// request then overrides.
bool WizardDriver::AcceptLicense()
{
    HWND accept = Control(LicenseAcceptButton);
    return PressButton(accept) && WaitUntil(SettleTimeoutMs, [&] { return Checked(accept); });
}

bool WizardDriver::WalkTo(int page)
{
    for (int at = PageIndex(); at < page; ++at) {
        // GoTo waits, as a user would, until Next can be pressed.
        if ((at == LicensePage && !AcceptLicense()) || !GoTo(NextButton, at + 1))
            return false;
    }
    return PageIndex() == page;
}

std::vector<std::string> WizardDriver::StaticTexts() const
{
    std::vector<std::string> texts;
    for (HWND control = GetWindow(Page(), GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const LONG type = GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
        // What the user reads: visible texts, not pictures nor a screen reader's hidden labels.
        if (HasClass(control, "Static") && type != SS_ICON && type != SS_BITMAP &&
            IsWindowVisible(control))
            texts.push_back(WindowText(control));
    }
    return texts;
}

bool WizardDriver::Screenshot(const std::string& path) const
{
    RECT frame;
    GetWindowRect(sheet, &frame);
    HDC screen = GetDC(nullptr);
    Canvas canvas(screen, {frame.right - frame.left, frame.bottom - frame.top});
    BitBlt(canvas.Dc(), 0, 0, frame.right - frame.left, frame.bottom - frame.top, screen,
           frame.left, frame.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Save(path.c_str());
}

void ClickLink(HWND link, int at, bool releasedOff)
{
    LRESULT packed = SendMessageA(link, EM_POSFROMCHAR, at, 0);
    const int x = LOWORD(packed) + 2, y = HIWORD(packed) + 3;
    RECT client;
    GetClientRect(link, &client);
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(x, releasedOff ? client.bottom + 30 : y));
}

bool AwaitLines(const std::string& path, size_t count, DWORD timeoutMs)
{
    return WaitUntil(timeoutMs, [&] { return ReadRecords(path).size() >= count; });
}
