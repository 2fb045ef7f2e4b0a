// Helpers that only the tests need: Wine's settings, the programs that open links, the
// texts of message boxes; and the driver's own helpers and the setup's facts, which the
// demo and the benchmarks share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver/FinishRun.h"
#include "driver/ProcessWindows.h"
#include "driver/SetupFacts.h"
#include "driver/SetupWorld.h"
#include "driver/StandInSite.h"
#include "driver/Wait.h"
#include "driver/probe/SharedNames.h"
#include "format/PeHeaders.h"

// The first line of a message box's text, and Windows' reason on the line under it.
std::string FirstLine(const std::string& text);
std::string SecondLine(const std::string& text);

// Whether this 32-bit program runs under WoW64 (in a 64-bit prefix).
bool UnderWow64();
// Windows keeps a 32-bit App Paths key apart from the 64-bit one; a new Wine prefix links
// the two. Replaces the link by a key of its own, as on Windows.
void SeparateAppPathsViews();

// A setting of Wine's for one program name (HKCU\Software\Wine\AppDefaults\<program>),
// removed at the end: subkey "" with "Version" sets the Windows version it reports.
class WineAppDefault {
public:
    WineAppDefault(const std::string& program, const std::string& subkey, const char* name,
                   const char* value);
    ~WineAppDefault();
    WineAppDefault(const WineAppDefault&) = delete;
    WineAppDefault& operator=(const WineAppDefault&) = delete;

private:
    std::string key;
};

// The program that opens addresses of a scheme ("http", "mailto"), replaced for the test.
class SchemeHandler {
public:
    SchemeHandler(const std::string& scheme, const std::string& program);
    ~SchemeHandler();
    SchemeHandler(const SchemeHandler&) = delete;
    SchemeHandler& operator=(const SchemeHandler&) = delete;

private:
    std::string key;
    std::string previous;
};

// The names in a folder, "." and ".." left out, sorted: file systems give them in orders
// of their own.
std::vector<std::string> FolderNames(const std::string& folder);

// Where the tests leave pictures of the wizard's pages: in the build tree, beside the
// programs' folder (scripts/screenshots copies them into docs/screenshots).
std::string ScreenshotFolder();

// How long the tests wait for a box of the setup, and for a stand-in's record.
constexpr DWORD BoxTimeoutMs = 20000, RecordTimeoutMs = 10000;

// A program's PE headers, read from its bytes as the setup reads its own.
inline PeHeaders HeadersOf(const std::string& exe)
{
    return PeHeaders(reinterpret_cast<const unsigned char*>(exe.data()), exe.size());
}
