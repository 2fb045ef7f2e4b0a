// Fuzz target: the cabinet check, libmspack included, on a cabinet installed under the name
// Korvane's INI file gives. Oracle: a refusal is one line naming the cabinet; a cabinet it
// accepts extracts whole with libmspack opened on its own (its own file reading, every
// checksum), holds each file once, and its setup file is one the device takes.
#include <mspack.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "CabinetCheck.h"
#include "HostFiles.h"
#include "SetupFileReader.h"

namespace {

constexpr char InstalledName[] = "KORVANE_US.PPC_ARM.CAB";  // in KORVANE.INI's CabFiles
constexpr char Component[] = "korvane";                     // KORVANE.INI's, in lower case
constexpr size_t FileCountAt = 28;

const HostTempFolder folder("fuzz-cabcheck");

[[noreturn]] void Broken(const std::string& what)
{
    std::fprintf(stderr, "ORACLE BROKEN: %s\n", what.c_str());
    std::abort();
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// libmspack on its own: every file extracted from the cabinet's file; "" or what failed.
std::string ExtractAlone(const std::string& path, std::set<std::string>& names, Bytes& setupFile)
{
    mscab_decompressor* cabd = mspack_create_cab_decompressor(nullptr);
    mscabd_cabinet* cabinet = cabd->open(cabd, path.c_str());
    std::string failed = cabinet ? "" : "libmspack cannot open it";
    size_t listed = 0;
    for (mscabd_file* file = cabinet ? cabinet->files : nullptr; file && failed.empty();
         file = file->next, ++listed) {
        const std::string name = file->filename, out = folder / "extracted";
        if (cabd->extract(cabd, file, out.c_str()) != MSPACK_ERR_OK)
            failed = "libmspack cannot extract " + name;
        else if (!names.insert(Lower(name)).second)
            failed = "it holds " + name + " twice";
        else if (setupFile.empty() && Lower(name).size() > 4 &&
                 Lower(name).substr(name.size() - 4) == ".000")
            ReadWholeFile(out, setupFile);
    }
    if (cabinet)
        cabd->close(cabd, cabinet);
    mspack_destroy_cab_decompressor(cabd);
    return failed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string cabinet = folder / InstalledName;
    const Bytes bytes(data, data + size);
    WriteBytes(cabinet, bytes);
    const std::string refused = CheckCabinet(cabinet, KORVANE_INI);
    if (!refused.empty()) {
        if (refused.rfind(cabinet + ": ", 0) != 0 || refused.find('\n') != std::string::npos)
            Broken("refused, but not on one line naming it: " + refused);
        return 0;
    }
    std::set<std::string> names;
    Bytes setupFile;
    if (const std::string failed = ExtractAlone(cabinet, names, setupFile); !failed.empty())
        Broken("accepted, but " + failed);
    if (names.size() != U16(bytes, FileCountAt))
        Broken("accepted, but libmspack lists another count of files than its header");
    std::string appName;
    if (!ReadSetupFile(setupFile, appName).empty() || Lower(appName) != Component)
        Broken("accepted, but its setup file is not one the device takes for " +
               std::string(Component));
    return 0;
}
