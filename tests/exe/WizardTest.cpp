// The wizard as a user meets it: the real KorvaneSetup.exe, driven from another process.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/WizardDriver.h"
#include "tests/support/TestSupport.h"

namespace {

// The static texts of each page that the setup fills with the product's name and version;
// the others show the template's text as it stands.
const std::vector<std::string> FilledTexts[] = {
    {"Welcome to the Orbelwick Korvane 1.0 Installation Wizard. \r\n\r\nThis program will "
     "download and install Orbelwick Korvane 1.0 on your Windows CE device."},
    {"Orbelwick Korvane 1.0 supports:"},
    {},
    {},
    {"This setup is now ready to install Orbelwick Korvane 1.0 to your Windows CE device"},
};

const DWORD ScreenshotDelayMs = 300;

// The ids of the page's controls whose text is a resource number (a picture's, given in
// the template), which a screen reader would read out as the control's name.
std::vector<int> NamedByNumber(HWND page)
{
    std::vector<int> ids;
    for (HWND control = GetWindow(page, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        WCHAR text[2] = {};  // a resource number is 0xFFFF, then the number
        SendMessageW(control, WM_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
        if (text[0] == 0xFFFF)
            ids.push_back(GetDlgCtrlID(control));
    }
    return ids;
}

// The Application Manager stand-in registered, recording into a file of the test's own.
class WizardTest : public ::testing::Test, public StandInSite {};

TEST_F(WizardTest, WalksBackAndForthWithTitleTextsAndButtonsOfEachPage)
{
    const WizardButtons welcome = {false, true, false, true};
    const WizardButtons backNext = {true, true, false, true};
    const WizardButtons backOnly = {true, false, false, true};
    const WizardButtons backFinish = {true, false, true, true};
    struct Step {
        const char* what;
        int button;  // a sheet button, or a control of the current page; 0: none
        bool onPage;
        int page;
        WizardButtons buttons;
    } const steps[] = {
        {"start", 0, false, WelcomePage, welcome},
        {"Next", NextButton, false, ProductPage, backNext},
        {"Next", NextButton, false, LicensePage, backOnly},
        {"accept", LicenseAcceptButton, true, LicensePage, backNext},
        {"do not accept", LicenseDeclineButton, true, LicensePage, backOnly},
        {"accept again", LicenseAcceptButton, true, LicensePage, backNext},
        {"Back", BackButton, false, ProductPage, backNext},
        {"Next to an accepted license", NextButton, false, LicensePage, backNext},
        {"Next", NextButton, false, RegistrationPage, backNext},
        {"Next", NextButton, false, FinishPage, backFinish},
        {"Back from the finish page", BackButton, false, RegistrationPage, backNext},
    };
    bool shot[PageCount] = {};
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Opened()) << "no wizard titled " << WizardTitle;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.what) + ", to page " + std::to_string(step.page));
        if (step.onPage)
            ASSERT_TRUE(PressButton(wizard.Control(step.button)));
        else if (step.button)
            ASSERT_TRUE(wizard.GoTo(step.button, step.page));
        EXPECT_EQ(step.page, wizard.PageIndex());
        EXPECT_EQ(step.buttons, wizard.AwaitButtons(step.buttons));
        EXPECT_EQ(WizardTitle, wizard.Title());
        const std::vector<std::string> texts = wizard.StaticTexts();
        for (const std::string& filled : FilledTexts[step.page])
            EXPECT_EQ(1, std::count(texts.begin(), texts.end(), filled)) << filled;
        EXPECT_EQ(std::vector<int>{}, NamedByNumber(wizard.Page()));
        if (step.page == LicensePage) {
            EXPECT_EQ(step.buttons.next, Checked(wizard.Control(LicenseAcceptButton)));
            EXPECT_NE(step.buttons.next, Checked(wizard.Control(LicenseDeclineButton)));
        }
        if (!shot[step.page]) {
            Sleep(ScreenshotDelayMs);  // the header band is painted after the page shows
            shot[step.page] =
                wizard.Screenshot(ScreenshotFolder() + "\\" + PageNames[step.page] + ".png");
            EXPECT_TRUE(shot[step.page]) << "no screenshot";
        }
    }
    ASSERT_TRUE(wizard.Press(CancelButton));
    EXPECT_EQ(SetupExit::Cancelled, wizard.Process().WaitForExit(ExitTimeoutMs));
    EXPECT_FALSE(FileExists(record)) << "a cancelled wizard started the Application Manager";
}

}  // namespace
