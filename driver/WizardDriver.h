// Drives the real setup's wizard from another process, as a user would: finds the sheet
// by its title, reads texts and button states, presses only buttons a user could press.
#pragma once

#include <ostream>

#include "driver/ProcessWindows.h"
#include "driver/SetupFacts.h"
#include "driver/SetupWorld.h"

// How long a page may take to come, or to take a choice.
constexpr DWORD SettleTimeoutMs = 5000;

// What the user can press; a hidden button counts as not pressable.
struct WizardButtons {
    bool back;
    bool next;
    bool finish;
    bool cancel;
    bool operator==(const WizardButtons&) const = default;
};
std::ostream& operator<<(std::ostream& out, const WizardButtons& b);

class WizardDriver {
public:
    // Starts the setup and waits for its wizard.
    explicit WizardDriver(const std::string& arguments = "",
                          const std::string& program = SetupExe(),
                          const std::string& directory = "");

    bool Opened() const { return sheet != nullptr; }
    HWND Sheet() const { return sheet; }
    ChildProcess& Process() { return setup; }

    int PageIndex() const;
    HWND Page() const;
    std::string Title() const { return WindowText(sheet); }
    WizardButtons Buttons() const;
    // Waits until the buttons settle on `expected`; returns what they show at the end.
    WizardButtons AwaitButtons(const WizardButtons& expected) const;
    HWND Button(int id) const { return GetDlgItem(sheet, id); }

    // Presses a sheet button once a user could; false when it stays hidden or disabled.
    bool Press(int buttonId);
    // Presses Next or Back and waits for the page to change to `page`.
    bool GoTo(int buttonId, int page);
    // Walks forward from the welcome page to `page`, accepting the license on the way.
    bool WalkTo(int page);
    // Chooses "I accept" on the license page and waits until the page has taken it.
    bool AcceptLicense();

    // Brings the wizard to the front and types `key` into it, with `modifier` (VK_MENU,
    // VK_SHIFT) held if given: real key events, as the keyboard sends them.
    void PressKey(WORD key, WORD modifier = 0) const;
    // The window that has the keyboard focus in the wizard's thread, or null.
    HWND Focus() const;

    // The texts of the current page's static controls, in template order.
    std::vector<std::string> StaticTexts() const;
    std::string ControlText(int id) const { return WindowText(GetDlgItem(Page(), id)); }
    HWND Control(int id) const { return GetDlgItem(Page(), id); }

    // Writes the sheet as it looks on screen to a PNG file.
    bool Screenshot(const std::string& path) const;

private:
    ChildProcess setup;
    HWND sheet = nullptr;
};

// Clicks a Rich Edit link as the mouse would: the button goes down a few pixels inside
// character `at`, and comes up there or, with releasedOff, well below the control.
void ClickLink(HWND link, int at, bool releasedOff);
// Waits until the file holds at least `count` lines.
bool AwaitLines(const std::string& path, size_t count, DWORD timeoutMs);
