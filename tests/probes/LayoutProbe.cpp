// A probe library: set on the setup's thread by a test, it measures the wizard's current
// page when the sheet is sent the registered message LayoutProbeMessage, inside the setup
// with the controls' own fonts and device contexts, and writes what it found to the layout
// report (SharedNames.h), one record each:
//   screen  DPI  pixels in 4 horizontal dialog units  pixels in 8 vertical ones
//   page|sheet  id  window rectangle on screen (left top right bottom)  shows a text (0|1)
//       size its text needs (w h)  client size (w h)  font family  text
// for every visible control of the page, and for the sheet's visible buttons. The sizes
// a control needs are those of its client area, room around the text included. When the
// message's wParam names the page's header title and subtitle (low and high word, string
// ids of the exe), a line on the header band as Windows draws it follows
// (HeaderPicture.h); with lParam nonzero that header is also pictured, into the PNG file
// that the header picture variable names. For each visible Rich Edit of the page, as painted:
//   ground  id  pixels of the window colour (white under Wine)  pixels in all
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "driver/probe/Canvas.h"
#include "driver/probe/ProbeHook.h"
#include "driver/probe/RecordFile.h"
#include "driver/probe/SharedNames.h"
#include "tests/probes/HeaderPicture.h"

namespace {

constexpr char RichEditClass[] = "RichEdit20A";

// How a control of the class given lays out its text: the DrawText format it paints with,
// and the room in pixels it keeps between its client edges and the text. False for a
// control that shows no text of its own (pictures, lines) or more than it has room for by
// design (the license's scrolling text box).
bool TextLayout(HWND control, const char* className, HDC dc, UINT& format, RECT& room)
{
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    room = {0, 0, 0, 0};
    if (lstrcmpiA(className, "Static") == 0) {
        // The formats of the static control's painting: the three aligned kinds wrap words.
        // clang-format off
        switch (style & SS_TYPEMASK) {
        case SS_LEFT: format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK; break;
        case SS_CENTER: format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK; break;
        case SS_RIGHT: format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK; break;
        case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
        case SS_LEFTNOWORDWRAP: format = DT_LEFT | DT_EXPANDTABS; break;
        default: return false;
        }
        // clang-format on
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        return true;
    }
    if (lstrcmpiA(className, RichEditClass) == 0) {
        // A link: all of it on one line inside the formatting rectangle, since the control
        // is one line high and a link broken over two would be cut.
        RECT client, inner;
        GetClientRect(control, &client);
        SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&inner));
        room = {inner.left, inner.top, client.right - inner.right, client.bottom - inner.bottom};
        format = DT_SINGLELINE | DT_NOPREFIX;
        return true;
    }
    if (lstrcmpiA(className, "Button") != 0)
        return false;
    format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
    case BS_PUSHBUTTON: {
        // The 3-D frame (2 pixels, 3 round the default button) and a 1-pixel margin.
        const int edge = ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 3 : 2) + 1;
        room = {edge, edge, edge, edge};
        return true;
    }
    // clang-format off
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE: {
        // clang-format on
        // The box, 12 pixels at 96 DPI and its edge, then half a '0' and a 1-pixel margin.
        int zero = 0;
        GetCharWidth32A(dc, '0', '0', &zero);
        room.left = 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1 + zero / 2 + 1;
        return true;
    }
    default:
        return false;
    }
}

// The family of the font the device context really draws with. The face a font was asked
// for by may be a substitute's ("MS Shell Dlg"), which GetTextFace repeats.
void FontFamily(HDC dc, char (&family)[LF_FACESIZE])
{
    char metrics[2048];
    auto* outline = reinterpret_cast<OUTLINETEXTMETRICA*>(metrics);
    const UINT size = GetOutlineTextMetricsA(dc, 0, nullptr);
    if (size && size <= sizeof metrics && GetOutlineTextMetricsA(dc, size, outline))
        lstrcpynA(family, metrics + reinterpret_cast<UINT_PTR>(outline->otmpFamilyName),
                  LF_FACESIZE);
    else
        GetTextFaceA(dc, LF_FACESIZE, family);  // a bitmap font, which has no outline
}

// The font a Rich Edit control draws with: its own character format's, which it made of
// the font it was given, not that font itself.
HFONT CharFormatFont(HWND control, HDC dc)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(format.yHeight, GetDeviceCaps(dc, LOGPIXELSY), 1440);
    font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = format.bCharSet;
    lstrcpynA(font.lfFaceName, format.szFaceName, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

// One line for the control; its text on one line, tabs and line breaks made spaces.
std::string Describe(HWND control, const char* scope)
{
    RECT window, client;
    GetWindowRect(control, &window);
    GetClientRect(control, &client);
    char text[1024] = {};
    GetWindowTextA(control, text, sizeof text);

    char className[32] = {};
    GetClassNameA(control, className, sizeof className);

    HDC dc = GetDC(control);
    HFONT charFormat =
        lstrcmpiA(className, RichEditClass) == 0 ? CharFormatFont(control, dc) : nullptr;
    HGDIOBJ font = charFormat ? charFormat
                              : reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    char face[LF_FACESIZE] = {};
    FontFamily(dc, face);
    UINT format = 0;
    RECT room;
    const bool measured = text[0] && TextLayout(control, className, dc, format, room);
    const LONG width = client.right - room.left - room.right;
    RECT wrapped = {0, 0, width > 1 ? width : 1, 0};
    if (measured)
        DrawTextA(dc, text, -1, &wrapped, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (charFormat)
        DeleteObject(charFormat);

    text[160] = '\0';  // enough to tell the control by
    for (char* at = text; *at; ++at)
        if (*at == '\t' || *at == '\r' || *at == '\n' || *at == '|')
            *at = ' ';
    // clang-format off
    const long fields[] = {GetDlgCtrlID(control), window.left, window.top, window.right,
                           window.bottom, measured,
                           measured ? wrapped.right + room.left + room.right : 0,
                           measured ? wrapped.bottom + room.top + room.bottom : 0,
                           client.right, client.bottom};
    // clang-format on
    Record record = {scope};
    for (long field : fields)
        record.push_back(std::to_string(field));
    record.push_back(face);
    record.push_back(text);
    return RecordLine(record);
}

// The ground a Rich Edit is painted on: how many of its client pixels have the window
// colour, which Wine fills a transparent Rich Edit with where Windows shows its parent.
std::string DescribeGround(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    UpdateWindow(control);
    HDC dc = GetDC(control);
    Canvas copy(dc, {client.right, client.bottom});
    BitBlt(copy.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(control, dc);
    const DWORD window = Canvas::Colour(GetSysColor(COLOR_WINDOW));
    long windowPixels = 0;
    const std::vector<DWORD> pixels = copy.Pixels();
    for (DWORD pixel : pixels)
        windowPixels += pixel == window;
    return RecordLine({LayoutLine::Ground, std::to_string(GetDlgCtrlID(control)),
                       std::to_string(windowPixels), std::to_string(pixels.size())});
}

// The visible children of `parent` of the class given (any class when null).
std::string DescribeChildren(HWND parent, const char* scope, const char* onlyClass)
{
    std::string lines;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        if (IsWindowVisible(child) && (!onlyClass || lstrcmpiA(className, onlyClass) == 0))
            lines += Describe(child, scope);
        if (IsWindowVisible(child) && !onlyClass && lstrcmpiA(className, RichEditClass) == 0)
            lines += DescribeGround(child);
    }
    return lines;
}

void Report(HWND sheet, WPARAM headerTexts, bool pictureHeader)
{
    char picture[MAX_PATH];
    const DWORD pictureLength =
        pictureHeader ? GetEnvironmentVariableA(Variable::HeaderPicture, picture, MAX_PATH) : 0;
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    RECT units = {0, 0, 4, 8};
    MapDialogRect(page, &units);
    HDC screen = GetDC(nullptr);
    std::string report =
        RecordLine({LayoutLine::Screen, std::to_string(GetDeviceCaps(screen, LOGPIXELSY)),
                    std::to_string(units.right), std::to_string(units.bottom)});
    ReleaseDC(nullptr, screen);
    report += DescribeChildren(page, LayoutLine::Page, nullptr) +
              DescribeChildren(sheet, LayoutLine::Sheet, "Button");
    if (headerTexts)
        report += DescribeHeader(sheet, LOWORD(headerTexts), HIWORD(headerTexts),
                                 pictureLength && pictureLength < MAX_PATH ? picture : nullptr);
    WriteRecord(Variable::LayoutReport, report, true);
}

}  // namespace

LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT probe = RegisterWindowMessageA(LayoutProbeMessage);
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == probe)
        Report(message->hwnd, message->wParam, message->lParam != 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
