// Fuzz target: the import check's rules and the size report, on a program read by LLVM's
// object library; seeded with the setup itself. No libraries and no list: what is fuzzed
// is the program read. Oracle: no fault, and each ends within the fuzzer's time limit.
#include <sstream>

#include "ImportRules.h"
#include "SizeReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto program = ProgramImage::Read({reinterpret_cast<const char*>(data), size});
    if (!program)
        return 0;
    SizeReport(*program, {"BIN"});
    std::istringstream noList;
    if (!program->Object().is64())  // the import check reads 32-bit programs only
        CheckImports(*program, noList, "");
    return 0;
}
