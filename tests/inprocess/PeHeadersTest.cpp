// The PE header reader on damaged copies of the built setup's headers, which it must refuse
// rather than read past: the setup reads its own file's headers with it before it trusts
// anything else in the file (where it reads them right, every run of the setup shows).
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestSupport.h"

namespace {

constexpr size_t HeaderBytes = 1024;  // what the setup reads of its own file first

void Put(std::string& bytes, size_t at, uint32_t value, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        bytes.at(at + i) = static_cast<char>(value >> (8 * i));
}

TEST(PeHeaders, RefusesHeadersThatDoNotFitTheirBytes)
{
    const std::string header = ReadWholeFile(SetupExe()).substr(0, HeaderBytes);
    const PeHeaders whole = HeadersOf(header);
    ASSERT_TRUE(whole.IsValid());
    const uint32_t nt = whole.NtHeaders();
    const size_t optional = nt + offsetof(IMAGE_NT_HEADERS, OptionalHeader);
    const auto* ntHeaders = reinterpret_cast<const IMAGE_NT_HEADERS*>(header.data() + nt);
    const size_t sectionsEnd =
        reinterpret_cast<const char*>(IMAGE_FIRST_SECTION(ntHeaders) + whole.SectionCount()) -
        header.data();
    // The DOS header's pointer to the PE header: where its first bytes hold that offset.
    const size_t pointer = header.substr(0, sizeof(IMAGE_DOS_HEADER))
                               .find(std::string(reinterpret_cast<const char*>(&nt), sizeof nt));
    ASSERT_NE(std::string::npos, pointer);
    const size_t sectionCount = nt + offsetof(IMAGE_NT_HEADERS, FileHeader.NumberOfSections);
    const size_t optionalSize = nt + offsetof(IMAGE_NT_HEADERS, FileHeader.SizeOfOptionalHeader);
    const size_t directoryCount = optional + offsetof(IMAGE_OPTIONAL_HEADER, NumberOfRvaAndSizes);
    // clang-format off
    const struct {
        const char* what;
        size_t length;   // of the bytes given
        size_t at;       // the field set to `value`, `width` bytes wide (none when 0)
        uint32_t value;
        size_t width;
    } cases[] = {
        {"cut within the section table",      sectionsEnd - 1, 0,              0,          0},
        {"cut within the DOS header",         pointer + 3,     0,              0,          0},
        {"the PE header past the bytes",      HeaderBytes,     pointer,        0x7FFFFFF0, 4},
        {"the PE header past 4 GiB",          HeaderBytes,     pointer,        0xFFFFFFF0, 4},
        {"no PE signature",                   HeaderBytes,     nt,             'Q',        1},
        {"an unknown optional header",        HeaderBytes,     optional,       0x30B,      2},
        {"more sections than the bytes hold", HeaderBytes,     sectionCount,   0xFFFF,     2},
        {"an optional header too small",      HeaderBytes,     optionalSize,   0x60,       2},
        {"more directories than it holds",    HeaderBytes,     directoryCount, 1 << 28,    4},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string damaged = header.substr(0, c.length);
        Put(damaged, c.at, c.value, c.width);
        EXPECT_FALSE(HeadersOf(damaged).IsValid()) << c.what;
        EXPECT_EQ(0u, HeadersOf(damaged).DirectoryEntry(PeHeaders::CertificateDirectory)) << c.what;
    }
}

}  // namespace
