// Fuzz target: the device's reading of a Windows CE setup file, which the cabinet target
// reaches only with setup files whose cabinet checksums hold. Oracle: no fault, and the
// application name it accepts lies within the file.
#include <cstdlib>

#include "SetupFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string appName;
    if (ReadSetupFile(Bytes(data, data + size), appName).empty() && appName.size() >= size)
        std::abort();
    return 0;
}
