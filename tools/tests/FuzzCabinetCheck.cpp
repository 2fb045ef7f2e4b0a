// Fuzz target: the cabinet check, libmspack included, on a cabinet installed under the name
// Korvane's INI file gives. Oracle: a refusal is one line naming the cabinet; a cabinet it
// accepts extracts whole with libmspack opened on its own (its own file reading, every
// checksum), holds each file once, as many as its header counts, and its setup file is
// one the device takes for Korvane.
#include <mspack.h>
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "CabinetCheck.h"
#include "HostFiles.h"
#include "SampleCabinet.h"
#include "SetupFileReader.h"

constexpr size_t FileCountAt = 28;
static const HostTempFolder folder("fuzz-cabcheck");

// libmspack on its own: every file extracted from the cabinet's file; "" or what failed.
static std::string ExtractAlone(const std::string& path, size_t& files, Bytes& setupFile)
{
    mscab_decompressor* cabd = mspack_create_cab_decompressor(nullptr);
    mscabd_cabinet* cabinet = cabd->open(cabd, path.c_str());
    std::string failed = cabinet ? "" : "libmspack cannot open it";
    std::set<std::string> names;  // as the device compares them, without case
    for (mscabd_file* file = cabinet ? cabinet->files : nullptr; file && failed.empty();
         file = file->next, ++files) {
        std::string name = file->filename;
        for (char& c : name)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        if (cabd->extract(cabd, file, (folder / "out").c_str()) || !names.insert(name).second)
            failed = "libmspack cannot extract " + name + " once";
        else if (setupFile.empty() && name.size() > 4 && !name.compare(name.size() - 4, 4, ".000"))
            ReadWholeFile(folder / "out", setupFile);
    }
    if (cabinet)
        cabd->close(cabd, cabinet);
    mspack_destroy_cab_decompressor(cabd);
    return failed;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string cabinet = folder / ProductCabinetName;
    const Bytes bytes(data, data + size);
    WriteBytes(cabinet, bytes);
    std::string broken, appName, refused = CheckCabinet(cabinet, KORVANE_INI, ProductCabinetName);
    size_t files = 0;
    Bytes setupFile;
    if (!refused.empty())
        broken = refused.rfind(cabinet + ": ", 0) || refused.find('\n') != std::string::npos
                     ? "refused, but not on one line naming it: " + refused
                     : "";
    else if (std::string failed = ExtractAlone(cabinet, files, setupFile); !failed.empty())
        broken = "accepted, but " + failed;
    else if (files != U16(bytes, FileCountAt))
        broken = "accepted, but libmspack lists another count of files than its header";
    else if (!ReadSetupFile(setupFile, appName).empty() ||
             strcasecmp(appName.c_str(), ProductComponent))
        broken = "accepted, but its setup file is not one the device takes for Korvane";
    if (!broken.empty())  // libFuzzer keeps the input that aborts
        std::fprintf(stderr, "ORACLE BROKEN: %s\n", broken.c_str()), std::abort();
    return 0;
}
