// The setup file's header: its mark, the processor it is for, and where its application
// name lies.
#include "SetupFileReader.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr size_t SetupHeaderSize = 100;
constexpr size_t ProcessorAt = 20, AppNameAt = 84, AppNameLengthAt = 86;
// Processor types an ARM device accepts (winnt.h: StrongARM, ARM720, ARM820, ARM920,
// ARM 7TDMI). 0 is "any processor": such a setup file installs on an ARM device too.
constexpr uint32_t AcceptedProcessors[] = {0, 2577, 1824, 2080, 2336, 70001};

}  // namespace

std::string ReadSetupFile(const Bytes& setup, std::string& appName)
{
    if (setup.size() < SetupHeaderSize || std::memcmp(setup.data(), "MSCE", 4) != 0)
        return "is not a Windows CE setup file (no MSCE header)";
    const uint32_t processor = U32(setup, ProcessorAt);
    if (std::count(std::begin(AcceptedProcessors), std::end(AcceptedProcessors), processor) == 0)
        return "is for processor type " + std::to_string(processor) + ", not ARM";
    // The length counts the NUL.
    const size_t at = U16(setup, AppNameAt), length = U16(setup, AppNameLengthAt);
    if (length == 0 || at + length > setup.size() || setup[at + length - 1] != 0)
        return "has its application name outside the file";
    appName.assign(setup.begin() + at, setup.begin() + at + length - 1);
    // No INI file's Component holds one, and the refusal stays on one line.
    if (std::any_of(appName.begin(), appName.end(), [](unsigned char c) { return c < ' '; }))
        return "has a control character in its application name";
    return "";
}
