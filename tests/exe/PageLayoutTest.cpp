// The wizard's pages at one screen DPI, measured inside the setup with its own fonts
// (tests/probes/LayoutProbe.cpp): every text fits its control, no two controls of a
// page, nor two of the sheet's buttons, overlap, and on the interior pages' header band,
// drawn as Windows draws it (Wine draws none), no title or subtitle falls on the logo.
// CTest runs it once for each DPI of its table (tests/exe/CMakeLists.txt:
// setup_exe_layout_96 and on), each in a Wine prefix of its own set to that DPI, which the
// prefix's DPI variable names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "driver/ThreadHook.h"
#include "driver/WizardDriver.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr UINT ProbeTimeoutMs = 5000;
// The dialogs' font, which Debian's fonts-wine gives Wine; any other has other widths.
constexpr char DialogFace[] = "Tahoma";
constexpr size_t TextStart = 40;
// A page is painted a moment after it shows; its picture is taken after that.
constexpr DWORD PaintDelayMs = 300;

// The fields of the probe's line on a header band that it found.
constexpr size_t HeaderFields = 6;

// One visible control as the probe measured it, in pixels.
struct Control {
    std::string scope;  // LayoutLine::Page or LayoutLine::Sheet
    int id = 0;
    RECT rect = {};  // on screen
    bool measured = false;
    SIZE need = {}, have = {};
    std::string face, text;
};

// The header band as the probe drew it, in pixels.
struct Header {
    bool found = false;
    long bandWidth = 0, titleWidth = 0, logoInTitle = 0, logoInSubtitle = 0;
};

struct Layout {
    int dpi = 0;
    SIZE units = {};  // pixels in 4 horizontal and in 8 vertical dialog units
    std::vector<Control> controls;
    bool headerReported = false;
    Header header;
    // Each Rich Edit's id, with how many of its pixels have the window colour.
    std::vector<std::pair<int, long>> grounds;
};

Layout ReadLayout(const std::string& path)
{
    Layout layout;
    for (const Record& f : ReadRecords(path)) {
        auto n = [&](size_t i) { return std::atol(f[i].c_str()); };
        // Each record's fields in the order of the probe's line.
        // clang-format off
        if (f.size() >= 2 && f[0] == LayoutLine::Header) {
            layout.headerReported = true;
            if (f.size() == HeaderFields)
                layout.header = {n(1) != 0, n(2), n(3), n(4), n(5)};
        } else if (f.size() == 4 && f[0] == LayoutLine::Ground) {
            layout.grounds.push_back({static_cast<int>(n(1)), n(2)});
        } else if (f.size() == 4 && f[0] == LayoutLine::Screen) {
            layout.dpi = std::atoi(f[1].c_str());
            layout.units = {n(2), n(3)};
        } else if (f.size() >= 12) {
            layout.controls.push_back({f[0], static_cast<int>(n(1)), {n(2), n(3), n(4), n(5)},
                                       n(6) != 0, {n(7), n(8)}, {n(9), n(10)}, f[11],
                                       f.size() > 12 ? f[12] : ""});
        }
        // clang-format on
    }
    return layout;
}

// Sends the probe's message to the sheet and reads what it wrote; the page's header
// texts tell the probe to draw its header band, and `pictureHeader` to picture it.
Layout Measure(HWND sheet, const std::string& report, int page, bool pictureHeader)
{
    DeleteFileA(report.c_str());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(sheet, RegisterWindowMessageA(LayoutProbeMessage),
                        MAKEWPARAM(HeaderTexts[page][0], HeaderTexts[page][1]), pictureHeader,
                        SMTO_ABORTIFHUNG, ProbeTimeoutMs, &ignored);
    return ReadLayout(report);
}

// Pixels, and as the dialog units the resource script states sizes in (`per` pixels span
// `units` of them): what a control needs rounded up, what it has to the nearest.
std::string Size(const SIZE& px, const Layout& layout, bool needed)
{
    auto dlu = [needed](long p, long per, long units) {
        per = per > 0 ? per : 1;
        return (p * units + (needed ? per - 1 : per / 2)) / per;
    };
    std::ostringstream out;
    out << px.cx << " x " << px.cy << " px (" << dlu(px.cx, layout.units.cx, 4) << " x "
        << dlu(px.cy, layout.units.cy, 8) << " DLU)";
    return out.str();
}

std::string Name(const Control& c)
{
    return std::string(c.scope == LayoutLine::Sheet ? "sheet " : "") + "control " +
           std::to_string(c.id) + " \"" + c.text.substr(0, TextStart) +
           (c.text.size() > TextStart ? "...\"" : "\"");
}

// The logo and the header band are drawn at 100%, 150% and 200%; the setup takes the
// drawing nearest its DPI, the smaller where it lies halfway. The logo's control takes
// the picture's size.
constexpr long LogoWidth = 150;
constexpr long BandWidth = 452;
long WidthAt(long width, int dpi)
{
    const int scale = dpi <= 120 ? 100 : dpi <= 168 ? 150 : 200;
    return width * scale / 100;
}

// The band the sheet was given, at the screen's scale, drawn as Windows draws it: neither
// the title nor the subtitle lies on a pixel of the logo.
void ExpectHeaderClearOfTheLogo(const Layout& layout, int dpi, const std::string& where)
{
    ASSERT_TRUE(layout.headerReported) << where << "the probe drew no header";
    const Header& h = layout.header;
    ASSERT_TRUE(h.found) << where << "the probe found no header bitmap in the sheet's record";
    EXPECT_EQ(WidthAt(BandWidth, dpi), h.bandWidth) << where << "the header band's width";
    EXPECT_EQ(0, h.logoInTitle) << where << "the title lies on pixels of the logo";
    EXPECT_EQ(0, h.logoInSubtitle) << where << "the subtitle lies on pixels of the logo";
    EXPECT_LT(0, h.titleWidth) << where << "the title measured empty";
}

TEST(PageLayout, EveryTextFitsItsControlAndNoControlsOverlapOnEveryPage)
{
    const char* prefixDpi = std::getenv(Variable::PrefixDpi);
    ASSERT_TRUE(prefixDpi) << Variable::PrefixDpi << " names the prefix's DPI (setup_exe_layout_*)";
    const int dpi = std::atoi(prefixDpi);
    AppPathsEntry entry;
    entry.SetText(StandInExe());
    TempFolder work;
    const std::string report = work / "layout.txt";
    ScopedEnvironment reportVariable(Variable::LayoutReport, report);
    // One page's header pictured at each DPI; the README shows the one at 96 DPI.
    constexpr int PicturedHeader = ProductPage;
    ScopedEnvironment headerPicture(Variable::HeaderPicture, ScreenshotFolder() + "\\header-" +
                                                                 std::to_string(dpi) + "dpi.png");
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Opened());
    ThreadHook probe(ProbeLibrary::LayoutProbe, wizard.Sheet());
    ASSERT_TRUE(probe.Set());

    for (int page = WelcomePage; page < PageCount; ++page) {
        ASSERT_TRUE(wizard.WalkTo(page));
        const Layout layout = Measure(wizard.Sheet(), report, page, page == PicturedHeader);
        if (page == RegistrationPage) {  // the README shows it at 144 DPI
            Sleep(PaintDelayMs);
            wizard.Screenshot(ScreenshotFolder() + "\\" + PageNames[page] + "-" +
                              std::to_string(dpi) + "dpi.png");
        }
        ASSERT_EQ(dpi, layout.dpi) << "the setup runs at another DPI than its prefix was set to";
        const std::string where = std::to_string(dpi) + " DPI, " + PageNames[page] + ", ";
        if (page != WelcomePage)
            ExpectHeaderClearOfTheLogo(layout, dpi, where);
        // The links lie on the page's face colour, not in boxes of the window colour.
        EXPECT_EQ(page == RegistrationPage ? 2u : 0u, layout.grounds.size()) << where;
        for (const auto& [id, windowPixels] : layout.grounds)
            EXPECT_EQ(0, windowPixels) << where << "link " << id << " lies on " << windowPixels
                                       << " pixels of the window colour";
        size_t texts[2] = {};  // on the page, and among the sheet's buttons
        for (const Control& c : layout.controls) {
            if (page == WelcomePage && c.scope == LayoutLine::Page && c.id == IDC_LOGO)
                EXPECT_EQ(WidthAt(LogoWidth, dpi), c.rect.right - c.rect.left)
                    << where << "the logo";
            if (!c.measured)
                continue;
            ++texts[c.scope == LayoutLine::Sheet];
            ASSERT_EQ(DialogFace, c.face) << where << Name(c) << " is drawn in another font than "
                                          << DialogFace << ": is fonts-wine installed?";
            if (c.need.cx > c.have.cx || c.need.cy > c.have.cy)
                ADD_FAILURE() << where << Name(c) << ": needs " << Size(c.need, layout, true)
                              << ", has " << Size(c.have, layout, false);
        }
        EXPECT_NE(0u, texts[0]) << where << "no text measured on the page";
        EXPECT_NE(0u, texts[1]) << where << "no button of the sheet measured";
        // No two controls of the page overlap; nor do two of the sheet's buttons.
        for (size_t i = 0; i < layout.controls.size(); ++i)
            for (size_t j = i + 1; j < layout.controls.size(); ++j) {
                const Control &a = layout.controls[i], &b = layout.controls[j];
                RECT common;
                if (a.scope == b.scope && IntersectRect(&common, &a.rect, &b.rect))
                    ADD_FAILURE() << where << Name(a) << " and " << Name(b) << " overlap by "
                                  << common.right - common.left << " x "
                                  << common.bottom - common.top << " px";
            }
    }
    ASSERT_TRUE(wizard.Press(CancelButton));
    EXPECT_EQ(SetupExit::Cancelled, wizard.Process().WaitForExit(ExitTimeoutMs));
}

}  // namespace
