// The project's SZDD packer against the platform's LZ32 expander: every input of the
// packer's corpus, compressed at build time, expands back to its bytes.
#include <gtest/gtest.h>

#include "install/FileExpansion.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(SzddExpansion, PlatformExpandsEveryCompressedInputBackToItsBytes)
{
    const std::string bin = BinFolder();
    const std::string corpus = bin.substr(0, bin.find_last_of('\\')) + "\\szdd-corpus";
    const std::string suffix = ".szdd";
    TempFolder work;
    int checked = 0;
    for (const std::string& name : FolderNames(corpus)) {
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        SCOPED_TRACE(name);
        const std::string original = corpus + "\\" + name.substr(0, name.size() - suffix.size());
        const std::string expanded = work / "expanded";
        DWORD reason = ERROR_SUCCESS;
        EXPECT_TRUE(ExpandFile((corpus + "\\" + name).c_str(), expanded.c_str(), reason));
        EXPECT_TRUE(ReadWholeFile(original) == ReadWholeFile(expanded)) << "bytes differ";
        ++checked;
    }
    EXPECT_GE(checked, 12) << "the corpus and both sample cabinets";
}

}  // namespace
