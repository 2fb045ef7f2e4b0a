// NSIS's builds of the setup (bench/peer), which the bench times against it, do the setup's
// job: each installs the same four files, byte for byte, and hands the Application Manager
// the same arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/HandOff.h"
#include "bench/PeerWizard.h"

namespace {

// The stand-in's fields on how it was started, which differ by design: the setup asks the
// shell, in its own current folder and with SW_SHOWNORMAL; NSIS's Exec calls CreateProcess
// in its output folder and names no window state.
const StandInField StartFields[] = {StandInField::Directory, StandInField::Show};

// What an install left in the site: each payload file's bytes ("" where there is none) and
// the stand-in's record of its runs, but for how it was started.
struct Outcome {
    bool done;
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> record;
    std::string arguments;
};

// Installs through the wizard, then leaves the site as it was before, for the next install.
template <class Wizard, class... Arguments>
Outcome InstallOnce(const StandInSite& site, int finishButton, const Arguments&... arguments)
{
    Outcome outcome = {InstallThrough<Wizard>(site, finishButton, nullptr, arguments...).done};
    const std::string folder = site.activeSync + "\\" + InstallFolderBelowAppManager;
    for (const char* name : PayloadNames)
        outcome.files.push_back(ReadWholeFile(folder + "\\" + name));
    for (const StandInRun& run : ReadStandInRecord(site.record)) {
        outcome.arguments = run.Value(StandInField::Arguments);
        for (const auto& field : run.fields) {
            if (std::none_of(std::begin(StartFields), std::end(StartFields),
                             [&](StandInField start) { return field.first == FieldName(start); }))
                outcome.record.push_back(field);
        }
    }
    const std::string below(InstallFolderBelowAppManager);
    DeleteTree(site.activeSync + "\\" + below.substr(0, below.find('\\')));
    DeleteFileA(site.record.c_str());
    return outcome;
}

class PeerInstall : public testing::TestWithParam<const char*> {};

TEST_P(PeerInstall, InstallsWhatTheSetupInstalls)
{
    StandInSite site;
    const Outcome ours = InstallOnce<WizardDriver>(site, FinishButton);
    const Outcome theirs = InstallOnce<PeerWizard>(site, PeerNextButton, std::string(GetParam()));
    ASSERT_TRUE(ours.done) << "the setup's wizard could not be walked to the hand-off";
    ASSERT_TRUE(theirs.done) << "NSIS's wizard could not be walked to the hand-off";
    for (size_t i = 0; i < PayloadCount; ++i) {
        EXPECT_FALSE(ours.files[i].empty()) << PayloadNames[i];
        EXPECT_TRUE(ours.files[i] == theirs.files[i])
            << PayloadNames[i] << ": the setup wrote " << ours.files[i].size() << " bytes, NSIS "
            << theirs.files[i].size();
    }
    const std::string folder = site.activeSync + "\\" + InstallFolderBelowAppManager;
    EXPECT_EQ(HandOffArguments(folder), ours.arguments);
    EXPECT_EQ(ours.record, theirs.record);
}

const char* const PeerExes[] = {KORVANE_PEER_EXES};
INSTANTIATE_TEST_SUITE_P(Nsis, PeerInstall, testing::ValuesIn(PeerExes));

}  // namespace
