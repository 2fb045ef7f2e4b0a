// Payload extraction: each resource is written as stored to a ".zip" temporary beside its
// target, expanded (or copied) into the target, and the temporary is removed.
#include "PayloadExtractor.h"

#include "FileExpansion.h"
#include "PayloadDigest.h"
#include "ProcessState.h"
#include "ResourceFile.h"
#include "SetupApplication.h"

namespace {

const char PayloadType[] = "BIN";
const char TemporarySuffix[] = ".zip";

// What the enumeration carries from one resource to the next.
struct Extraction {
    const SetupApplication* application;
    bool allWhole;
};

// A payload file left read-only or hidden by an earlier run is replaced all the same.
void Remove(const TextString& path)
{
    SetFileAttributesA(path.GetText(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.GetText());  // a missing file is the normal case
}

} // namespace

bool ExtractPayload(SetupApplication& application)
{
    Extraction extraction = {&application, true};
    // No module: the program itself. A program without payload enumerates nothing.
    EnumResourceNamesA(nullptr, PayloadType, ExtractPayloadResource,
                       reinterpret_cast<LONG_PTR>(&extraction));
    return extraction.allWhole;
}

BOOL CALLBACK ExtractPayloadResource(HMODULE, LPCSTR type, LPSTR name, LONG_PTR parameter)
{
    auto& extraction = *reinterpret_cast<Extraction*>(parameter);
    TextString target = extraction.application->InstallFolder + "\\" + name;
    TextString temporary = target + TemporarySuffix;
    Remove(target);
    Remove(temporary);
    bool whole = WriteResourceToFile(temporary.GetText(), AppInstance, name, type) &&
                 ExpandFile(temporary.GetText(), target.GetText()) &&
                 FileMatchesPayloadDigest(target.GetText(), AppInstance, name);
    Remove(temporary);
    if (!whole)
        extraction.allWhole = false;
    return TRUE;
}
