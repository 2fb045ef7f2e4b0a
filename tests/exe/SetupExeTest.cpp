// The real KorvaneSetup.exe, started and watched from another process as a user meets it.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "driver/WizardDriver.h"
#include "driver/probe/Canvas.h"
#include "tests/support/TestSupport.h"

namespace {

const DWORD WindowTimeoutMs = 15000;
// The box may not be painted at first sight.
const DWORD PaintTimeoutMs = 4000;

// How far the icon control's pixels on screen are from `icon`: drawing the very icon that
// is shown over its own picture changes (almost) nothing, any other icon changes much.
int IconDistance(HWND iconControl, LPCSTR icon)
{
    const int size = GetSystemMetrics(SM_CXICON);
    POINT origin = {0, 0};
    ClientToScreen(iconControl, &origin);
    HDC screen = GetDC(nullptr);
    Canvas canvas(screen, {size, size});
    BitBlt(canvas.Dc(), 0, 0, size, size, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::vector<DWORD> before = canvas.Pixels();
    DrawIconEx(canvas.Dc(), 0, 0, LoadIconA(nullptr, icon), size, size, 0, nullptr, DI_NORMAL);
    const std::vector<DWORD> after = canvas.Pixels();
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            changed += abs(static_cast<int>(before[i] >> shift & 0xFF) -
                           static_cast<int>(after[i] >> shift & 0xFF)) > 48;
    return changed;
}

// The box of a missing Application Manager shows the error icon, told by far from the other
// standard icons by its pixels (the rest of that road: OutcomeTest).
TEST(SetupExe, WithoutTheApplicationManagerShowsTheErrorIcon)
{
    AppPathsEntry entry;
    ChildProcess setup(SetupExe());
    HWND box = WaitForWindow(setup.Id(), DialogClass, ErrorCaption, WindowTimeoutMs);
    ASSERT_NE(nullptr, box) << "no error box";
    HWND icon = GetDlgItem(box, MessageBoxIconId);
    ASSERT_TRUE(icon && IsWindowVisible(icon)) << "the box shows no icon";
    constexpr int ByFar = 4;
    int error = 0, closestOther = 0;
    EXPECT_TRUE(WaitUntil(PaintTimeoutMs,
                          [&] {
                              error = IconDistance(icon, IDI_ERROR);
                              closestOther = std::min({IconDistance(icon, IDI_WARNING),
                                                       IconDistance(icon, IDI_INFORMATION),
                                                       IconDistance(icon, IDI_QUESTION)});
                              return error * ByFar < closestOther;
                          }))
        << "pixels changed by drawing the error icon over the shown one: " << error
        << ", the closest other standard icon: " << closestOther;
    ASSERT_TRUE(PressButton(GetDlgItem(box, IDOK)));
    EXPECT_EQ(SetupExit::ActiveSyncMissing, setup.WaitForExit(ExitTimeoutMs));
}

// The libraries that installers have been tricked into loading from their own folder,
// and every library that Wine's user32, comctl32, shell32 and riched20 import or load by
// name, one from the other (read off their 32-bit builds). Not planted: ntdll, kernel32
// and kernelbase, which every process has loaded before its first instruction, and which
// Wine, unlike Windows, would take from beside the program when told to prefer them.
const char* const PlantedNames[] = {
    "advapi32", "advpack",  "bcrypt",    "cabinet",  "combase",       "comctl32", "comdlg32",
    "compstui", "crypt32",  "cryptbase", "cryptnet", "cryptui",       "dbghelp",  "dhcpcsvc",
    "dinput8",  "dnsapi",   "dwmapi",    "gdi32",    "gdiplus",       "hid",      "imagehlp",
    "imm32",    "iphlpapi", "localspl",  "lz32",     "midimap",       "mlang",    "mpr",
    "msacm32",  "msimg32",  "msvcrt",    "netapi32", "nsi",           "ole32",    "oleaut32",
    "propsys",  "riched20", "rpcrt4",    "sechost",  "secur32",       "setupapi", "shcore",
    "shdocvw",  "shell32",  "shlwapi",   "spoolss",  "ucrtbase",      "urlmon",   "user32",
    "usp10",    "uxtheme",  "version",   "win32u",   "windowscodecs", "wininet",  "winmm",
    "wintrust", "ws2_32",   "zlib1"};

// Plants marker copies of those libraries beside a copy of the program and in the folder
// it runs in, asks Wine to prefer them to its own (as Windows prefers a library found
// beside the program), and runs the program there. Returns what loaded a planted one.
std::string PlantedLibrariesLoaded(const std::string& program, const TempFolder& folder,
                                   const std::vector<std::string>& names, bool isSetup)
{
    const std::string current = folder / "current";
    CreateDirectoryA(current.c_str(), nullptr);
    std::vector<std::unique_ptr<WineAppDefault>> preferNative;
    for (const std::string& name : names) {
        const std::string marker = BinFolder() + "\\planted\\riched20.dll";
        EXPECT_TRUE(CopyFileA(marker.c_str(), (folder / name + ".dll").c_str(), FALSE));
        EXPECT_TRUE(CopyFileA(marker.c_str(), (current + "\\" + name + ".dll").c_str(), FALSE));
        preferNative.emplace_back(
            new WineAppDefault("program.exe", "DllOverrides", name.c_str(), "native,builtin"));
    }
    const std::string copy = folder / "program.exe";
    EXPECT_TRUE(CopyFileA(program.c_str(), copy.c_str(), FALSE));
    if (isSetup) {
        // The whole road: every page, the links' Rich Edit controls, Finish, the hand-off.
        WizardDriver wizard("", copy, current);
        EXPECT_EQ(0u, FinishRun(wizard).code);
    } else {
        ChildProcess child(copy, "", current);
        EXPECT_TRUE(child.Started());
        EXPECT_NE(STILL_ACTIVE, child.WaitForExit(ExitTimeoutMs));
    }
    return ReadWholeFile(folder / "loaded.txt") + ReadWholeFile(current + "\\loaded.txt");
}

TEST(SetupExe, NeverLoadsALibraryPlantedBesideItOrInItsCurrentFolder)
{
    StandInSite site;
    TempFolder careless;
    EXPECT_NE("", PlantedLibrariesLoaded(BinFolder() + "\\NaiveLoader.exe", careless, {"riched20"},
                                         false))
        << "a load by bare name should have picked up a planted library";

    TempFolder setup;
    EXPECT_EQ("", PlantedLibrariesLoaded(SetupExe(), setup,
                                         {std::begin(PlantedNames), std::end(PlantedNames)}, true));
    EXPECT_TRUE(AwaitStandInRun(site.record, ExitTimeoutMs)) << "no hand-off";
}

}  // namespace
