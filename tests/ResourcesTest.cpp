// The resources that KorvaneSetup.exe carries where neither Wine nor the wizard shows
// them to a test: the pictures in their sizes, depth and compression, and the manifest's
// requests, which only Windows acts on.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestSupport.h"

namespace {

// The setup program, loaded for its resources only.
class SetupResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        exe = LoadLibraryExA(SetupExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(exe); }

    static std::string Bytes(LPCSTR name, LPCSTR type)
    {
        HRSRC info = FindResourceA(exe, name, type);
        if (!info)
            return "";
        return std::string(static_cast<const char*>(LockResource(LoadResource(exe, info))),
                           SizeofResource(exe, info));
    }

    static HMODULE exe;
};
HMODULE SetupResources::exe;

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(SetupResources, PicturesHaveTheirSizeDepthAndCompression)
{
    // An icon's images are given square, one after another, in its group.
    struct {
        int id;
        int image;  // the image's place in its icon's group
        bool icon;
        LONG width, height;
        DWORD compression;
    } const pictures[] = {
        {IDB_WATERMARK, 0, false, 2, 1, BI_RGB},    {IDB_LOGO, 0, false, 150, 43, BI_RLE4},
        {IDB_LOGO_150, 0, false, 225, 65, BI_RLE4}, {IDB_LOGO_200, 0, false, 300, 86, BI_RLE4},
        {IDB_HEADER, 0, false, 452, 59, BI_RLE4},   {IDB_HEADER_150, 0, false, 678, 89, BI_RLE4},
        {IDB_HEADER_200, 0, false, 904, 118, BI_RLE4},
        {IDI_SETUP, 0, true, 32, 32, BI_RGB},       {IDI_CHECKMARK, 0, true, 16, 16, BI_RGB},
        {IDI_CHECKMARK, 1, true, 24, 24, BI_RGB},   {IDI_CHECKMARK, 2, true, 32, 32, BI_RGB},
    };
    ASSERT_NE(nullptr, exe);
    for (const auto& p : pictures) {
        SCOPED_TRACE(std::to_string(p.id) + ", image " + std::to_string(p.image));
        std::string image;
        if (p.icon) {
            std::string group = Bytes(MAKEINTRESOURCEA(p.id), RT_GROUP_ICON);
            ASSERT_GE(group.size(), 6 + (p.image + 1) * sizeof(GroupIconEntry));
            GroupIconEntry entry;
            memcpy(&entry, group.data() + 6 + p.image * sizeof entry, sizeof entry);
            EXPECT_EQ(p.width, entry.width);
            EXPECT_EQ(p.height, entry.height);
            EXPECT_EQ(16, entry.colours);
            EXPECT_EQ(4, entry.bitCount);
            image = Bytes(MAKEINTRESOURCEA(entry.id), RT_ICON);
        } else {
            image = Bytes(MAKEINTRESOURCEA(p.id), RT_BITMAP);
        }
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(p.width, header.biWidth);
        EXPECT_EQ(p.icon ? 2 * p.height : p.height, header.biHeight);
        EXPECT_EQ(4, header.biBitCount);
        EXPECT_EQ(p.compression, header.biCompression);
    }

    // The watermark: two white pixels.
    std::string watermark = Bytes(MAKEINTRESOURCEA(IDB_WATERMARK), RT_BITMAP);
    ASSERT_GT(watermark.size(), 40u + 64u);
    const auto* palette = reinterpret_cast<const RGBQUAD*>(watermark.data() + 40);
    unsigned char pixels = watermark[40 + 64];
    for (int index : {pixels >> 4, pixels & 15}) {
        EXPECT_EQ(255, palette[index].rgbRed);
        EXPECT_EQ(255, palette[index].rgbGreen);
        EXPECT_EQ(255, palette[index].rgbBlue);
    }
}

TEST_F(SetupResources, ManifestAsksForAdministratorThemedControlsAndKnownSystems)
{
    const std::string manifest = Bytes(MAKEINTRESOURCEA(1), RT_MANIFEST);
    for (const char* expected : {
             "level=\"requireAdministrator\"",
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
         })
        EXPECT_NE(std::string::npos, manifest.find(expected)) << expected;
}

} // namespace
