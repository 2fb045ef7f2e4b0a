// The manifest of KorvaneSetup.exe: its requests, which only Windows acts on, so that no
// run under Wine shows them to a test.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestSupport.h"

namespace {

TEST(SetupResources, ManifestAsksForAdministratorThemedControlsAndKnownSystems)
{
    HMODULE exe = LoadLibraryExA(SetupExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, exe);
    HRSRC info = FindResourceA(exe, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(nullptr, info);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, info))),
                               SizeofResource(exe, info));
    FreeLibrary(exe);
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

}  // namespace
