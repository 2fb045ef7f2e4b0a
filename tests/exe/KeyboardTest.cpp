// The wizard from the keyboard alone, with real key events as the keyboard sends them: the
// focus where the user looks for it on every page, every key doing what it says and
// nothing else, and Esc cancelling everywhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/exe/ActiveSyncSite.h"

namespace {

// A key's effect shows within this; after it, a quiet spell shows nothing more happens.
const DWORD KeySettleMs = 3000;
const DWORD KeyQuietMs = 200;
// Tab presses that must reach the first link from the default button, whatever the order.
const int LinkTabsAtMost = 6;

class KeyboardTest : public ::testing::Test, public ActiveSyncSite {
protected:
    KeyboardTest() : links(root) {}
    RecordedLinks links;
};

// One key of a keyboard-only walk, and where the user must be afterwards.
struct KeyStep {
    const char* what;
    WORD key;
    WORD modifier;
    int page;
    int focus;  // the control with the focus: the page's, or else the sheet's
    bool onPage;
    int upTo;      // pressed at most this often, until the focus is there
    size_t links;  // links opened so far
};

// Presses the step's key (once, or until the focus is where the step says), then lets the
// wizard settle and looks again: a key that does something late is caught too.
void Take(WizardDriver& wizard, const KeyStep& step)
{
    auto there = [&] {
        HWND owner = step.onPage ? wizard.Page() : wizard.Sheet();
        return wizard.PageIndex() == step.page && wizard.Focus() == GetDlgItem(owner, step.focus);
    };
    for (int press = 0; press < step.upTo; ++press) {
        wizard.PressKey(step.key, step.modifier);
        if (WaitUntil(step.upTo > 1 ? KeyQuietMs : KeySettleMs, there))
            break;
    }
    Sleep(KeyQuietMs);
    EXPECT_EQ(step.page, wizard.PageIndex());
    EXPECT_TRUE(there()) << "the focus is on " << wizard.Focus() << ", id "
                         << GetDlgCtrlID(wizard.Focus());
}

// The whole install from the keyboard alone, with real key events: the focus where the
// user looks for it on every page (after Back too; on the license page the chosen "I do
// not accept"), the agreement reached and scrolled, Enter doing nothing while the license
// is declined, the arrows kept within the two choices, Alt+N pressing Next (no choice
// has its letter), both links opened by Enter and Space, and Enter on Finish handing over.
TEST_F(KeyboardTest, FromTheKeyboardAlone)
{
    const KeyStep steps[] = {
        {"arrival", 0, 0, WelcomePage, NextButton, false, 0, 0},
        {"Enter", VK_RETURN, 0, ProductPage, NextButton, false, 1, 0},
        {"Alt+B", 'B', VK_MENU, WelcomePage, NextButton, false, 1, 0},
        {"Enter", VK_RETURN, 0, ProductPage, NextButton, false, 1, 0},
        {"Enter", VK_RETURN, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Shift+Tab, to the text", VK_TAB, VK_SHIFT, LicensePage, LicenseTextBox, true, 1, 0},
        {"Page Down", VK_NEXT, 0, LicensePage, LicenseTextBox, true, 1, 0},
        {"Tab", VK_TAB, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Enter while declined", VK_RETURN, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Down", VK_DOWN, 0, LicensePage, LicenseAcceptButton, true, 1, 0},
        {"Down", VK_DOWN, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Up", VK_UP, 0, LicensePage, LicenseAcceptButton, true, 1, 0},
        {"Alt+N, Next's own letter", 'N', VK_MENU, RegistrationPage, NextButton, false, 1, 0},
        {"Tab", VK_TAB, 0, RegistrationPage, RegistrationLink, true, LinkTabsAtMost, 0},
        {"Enter", VK_RETURN, 0, RegistrationPage, RegistrationLink, true, 1, 1},
        {"Tab", VK_TAB, 0, RegistrationPage, SupportLink, true, 1, 1},
        {"Space", VK_SPACE, 0, RegistrationPage, SupportLink, true, 1, 2},
        {"Tab, out of the links", VK_TAB, 0, RegistrationPage, BackButton, false, 1, 2},
        {"Alt+N", 'N', VK_MENU, FinishPage, FinishButton, false, 1, 2},
    };
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Opened());
    for (const KeyStep& step : steps) {
        SCOPED_TRACE(std::string(step.what) + ", to page " + PageNames[step.page]);
        Take(wizard, step);
        if (step.key == VK_NEXT)
            EXPECT_LT(0, SendMessageA(wizard.Control(LicenseTextBox), EM_GETFIRSTVISIBLELINE, 0, 0))
                << "Page Down did not scroll the agreement";
        if (step.page == LicensePage)
            EXPECT_EQ(step.focus == LicenseAcceptButton,
                      Checked(wizard.Control(LicenseAcceptButton)));
        AwaitLines(links.record, step.links, RecordTimeoutMs);
        EXPECT_EQ(step.links, links.Opened().size());
    }
    EXPECT_EQ((std::vector<std::string>{RegistrationUrl, SupportMail}), links.Opened());
    wizard.PressKey(VK_RETURN);
    EXPECT_EQ(0u, wizard.Process().WaitForExit(ExitTimeoutMs));
    EXPECT_EQ(1u, Runs(1, RecordTimeoutMs).size()) << "Enter on Finish handed nothing over";
}

// Esc cancels on every page, wherever the page put the focus, and from a link.
TEST_F(KeyboardTest, EscCancelsOnEveryPage)
{
    for (int page = WelcomePage; page < PageCount; ++page) {
        SCOPED_TRACE(PageNames[page]);
        WizardDriver wizard;
        ASSERT_TRUE(wizard.Opened());
        ASSERT_TRUE(wizard.WalkTo(page));
        if (page == RegistrationPage)
            Take(wizard, {"Tab", VK_TAB, 0, page, SupportLink, true, LinkTabsAtMost, 0});
        else
            WaitUntil(KeySettleMs, [&] { return wizard.Focus() != nullptr; });
        wizard.PressKey(VK_ESCAPE);
        EXPECT_EQ(SetupExit::Cancelled, wizard.Process().WaitForExit(ExitTimeoutMs));
    }
    EXPECT_FALSE(FileExists(record)) << "a cancelled wizard started the Application Manager";
}

}  // namespace
