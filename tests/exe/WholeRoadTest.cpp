// The whole road on every Windows the setup may meet: the registration page's links shown,
// opened once each as the user clicks them, given as RTF or plain text as the platform
// wants them, then Finish and the hand-off; and the road under WoW64.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/ThreadHook.h"
#include "tests/exe/ActiveSyncSite.h"

namespace {

// The road a user takes on the registration page and past it: both links show their
// addresses and open them once each (a press released off the link opens nothing), then
// Finish hands the payload to the Application Manager. Returns the texts the setup gave
// the links' Rich Edit controls, which tell RTF from plain text where the screen cannot.
class WholeRoadTest : public ::testing::Test, public ActiveSyncSite {
protected:
    WholeRoadTest()
        : links(root), given(root / "given.record"), givenRecord(Variable::SpyRecord, given)
    {
    }

    std::vector<std::string> WalkWholeRoad(size_t run)
    {
        DeleteFileA(links.record.c_str());
        DeleteFileA(given.c_str());
        WizardDriver wizard;
        EXPECT_TRUE(wizard.Opened());
        ThreadHook spy(ProbeLibrary::TextSpy, wizard.Sheet());
        EXPECT_TRUE(spy.Set());
        EXPECT_TRUE(wizard.WalkTo(RegistrationPage));
        EXPECT_EQ(RegistrationUrl, wizard.ControlText(RegistrationLink));
        EXPECT_EQ(SupportAddress, wizard.ControlText(SupportLink));

        ClickLink(wizard.Control(RegistrationLink), 3, false);
        EXPECT_TRUE(AwaitLines(links.record, 1, RecordTimeoutMs))
            << "the registration link opened nothing";
        ClickLink(wizard.Control(SupportLink), 10, false);
        EXPECT_TRUE(AwaitLines(links.record, 2, RecordTimeoutMs))
            << "the support link opened nothing";
        ClickLink(wizard.Control(RegistrationLink), 3, true);
        Sleep(QuietMs);
        EXPECT_EQ((std::vector<std::string>{RegistrationUrl, SupportMail}), links.Opened());

        EXPECT_EQ(0u, FinishRun(wizard).code);
        ExpectPayload();
        auto runs = Runs(run, RecordTimeoutMs);
        EXPECT_EQ(run, runs.size());
        if (!runs.empty())
            EXPECT_EQ(HandOffArguments(installFolder), runs.back().Value(StandInField::Arguments));
        return ReadFirstFields(given);
    }

    RecordedLinks links;
    std::string given;
    ScopedEnvironment givenRecord;
};

const std::vector<std::string> PlainLinks = {RegistrationUrl, SupportAddress};
const std::vector<std::string> RtfLinks = {std::string("{\\rtf ") + RegistrationUrl + "}",
                                           std::string("{\\rtf ") + SupportAddress + "}"};

// Wine reporting each Windows the setup may meet: Windows 95 gets the links as plain
// text, the others as RTF, with the same visible text.
TEST_F(WholeRoadTest, OnEveryReportedWindows)
{
    struct {
        const char* version;
        const std::vector<std::string>& links;
    } const platforms[] = {{"win95", PlainLinks},
                           {"win98", RtfLinks},
                           {"winxp", RtfLinks},
                           {"win7", RtfLinks},
                           {"win10", RtfLinks}};
    size_t run = 0;
    for (const auto& platform : platforms) {
        SCOPED_TRACE(platform.version);
        WineAppDefault version("KorvaneSetup.exe", "", "Version", platform.version);
        EXPECT_EQ(platform.links, WalkWholeRoad(++run));
    }
}

// In a 64-bit prefix the 32-bit setup runs under WoW64 and must find an Application
// Manager registered only in the 64-bit registry view.
TEST_F(WholeRoadTest, Wow64WithTheApplicationManagerOnlyInThe64BitView)
{
    ASSERT_TRUE(UnderWow64()) << "this case needs a 64-bit prefix (ctest: setup_exe_wow64)";
    SeparateAppPathsViews();
    AppPathsEntry::Remove();
    entry.SetText(appManager, KEY_WOW64_64KEY);
    ASSERT_FALSE(AppPathsEntry::Exists(KEY_WOW64_32KEY));
    EXPECT_EQ(RtfLinks, WalkWholeRoad(1));
}

}  // namespace
