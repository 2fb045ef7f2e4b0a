// Payload extraction as one set. Beside the install folder, under the same parent, two
// short-named folders hold the sets in transit: "~n" the new set while it is made whole,
// "~o" the previous set while the new one takes its place. Each resource is written as
// stored to a ".zip" temporary in "~n", expanded (or copied) beside it and read back
// against its record. Only when all are whole does each previous file move to "~o" and
// each new one into the install folder: renames on one volume, which MoveFileA does on
// every Windows from 95 on. Any failure moves everything back.
//
// A crash while the sets are in transit leaves each previous file under its own name or
// in "~o"; the next run first puts every one in "~o" back in its place and clears both
// folders, so it starts from the whole previous set. The short names keep every path in
// transit no longer than the longest path of the installed set, so an install folder
// that Windows allows is never refused for them.
#include "install/PayloadExtractor.h"

#include "install/FileExpansion.h"
#include "install/InstallFolder.h"
#include "install/PayloadDigest.h"
#include "app/ProcessState.h"
#include "app/Product.h"
#include "support/ResourceFile.h"
#include "app/SetupApplication.h"

namespace {

const char PayloadType[] = "BIN";
const char TemporarySuffix[] = ".zip";
const char IncomingFolder[] = "~n";
const char OutgoingFolder[] = "~o";
static_assert(sizeof IncomingFolder + sizeof TemporarySuffix - 1 <= sizeof ProductFolder &&
                  sizeof OutgoingFolder <= sizeof ProductFolder,
              "a path in transit would be longer than the installed one");

// The install folder and its two companions in the same parent.
struct PayloadFolders {
    explicit PayloadFolders(const TextString& installFolder)
        : installed(installFolder), incoming(Sibling(IncomingFolder)),
          outgoing(Sibling(OutgoingFolder))
    {
    }
    TextString Sibling(const char* name) const
    {
        return TextString(installed.GetText(), installed.ReverseFind('\\') + 1) + name;
    }
    TextString installed;
    TextString incoming;
    TextString outgoing;
};

// Where one payload file lies at each stage.
struct PayloadPaths {
    PayloadPaths(const PayloadFolders& folders, const char* name)
        : installed(folders.installed + "\\" + name), incoming(folders.incoming + "\\" + name),
          raw(incoming + TemporarySuffix), outgoing(folders.outgoing + "\\" + name)
    {
    }
    TextString installed;
    TextString incoming;
    TextString raw;
    TextString outgoing;
};

bool Exists(const TextString& path)
{
    return GetFileAttributesA(path.GetText()) != INVALID_FILE_ATTRIBUTES;
}

// A file left read-only or hidden is removed all the same; a missing one is no fault.
void Remove(const TextString& path)
{
    SetFileAttributesA(path.GetText(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.GetText());
}

bool Move(const TextString& from, const TextString& to)
{
    return MoveFileA(from.GetText(), to.GetText()) != 0;
}

// One step of a pass, for one payload file; on false GetLastError says why.
using PayloadStep = bool (*)(const char* name, const PayloadPaths& paths);

// What an interrupted earlier run left: each previous file in "~o" goes back in place of
// any new one placed before the interruption, and the rest in transit is removed.
bool ClearLeftovers(const char*, const PayloadPaths& paths)
{
    if (Exists(paths.outgoing)) {
        Remove(paths.installed);
        Move(paths.outgoing, paths.installed);  // on failure it stays safe in "~o"
    }
    Remove(paths.raw);
    Remove(paths.incoming);
    Remove(paths.installed + TemporarySuffix);  // where earlier versions kept theirs
    return true;
}

bool Stage(const char* name, const PayloadPaths& paths)
{
    bool whole = WriteResourceToFile(paths.raw.GetText(), AppInstance, name, PayloadType) &&
                 ExpandFile(paths.raw.GetText(), paths.incoming.GetText()) &&
                 FileMatchesPayloadDigest(paths.incoming.GetText(), AppInstance, name);
    DWORD reason = GetLastError();
    Remove(paths.raw);
    SetLastError(reason);
    return whole;
}

// A folder that bears a payload file's name is not ours to move: the file cannot go there.
bool Retire(const char*, const PayloadPaths& paths)
{
    if (IsFolder(paths.installed)) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return false;
    }
    return !Exists(paths.installed) || Move(paths.installed, paths.outgoing);
}

bool PutBack(const char*, const PayloadPaths& paths)
{
    if (Exists(paths.outgoing) && !Exists(paths.installed))
        Move(paths.outgoing, paths.installed);
    return true;  // every file is tried
}

bool Place(const char*, const PayloadPaths& paths)
{
    return Move(paths.incoming, paths.installed);
}

// After a failed Place: a file no longer in "~n" was placed, so it goes back there.
bool Unplace(const char*, const PayloadPaths& paths)
{
    if (!Exists(paths.incoming) && Exists(paths.installed))
        Move(paths.installed, paths.incoming);
    return true;
}

bool Discard(const char*, const PayloadPaths& paths)
{
    Remove(paths.raw);
    Remove(paths.incoming);
    return true;
}

bool DropOutgoing(const char*, const PayloadPaths& paths)
{
    Remove(paths.outgoing);
    return true;
}

struct Pass {
    const PayloadFolders* folders;
    PayloadStep step;
    DWORD reason;
    bool failed;
};

BOOL CALLBACK RunStep(HMODULE, LPCSTR, LPSTR name, LONG_PTR parameter)
{
    auto& pass = *reinterpret_cast<Pass*>(parameter);
    if (pass.step(name, PayloadPaths(*pass.folders, name)))
        return TRUE;
    pass.reason = GetLastError();
    pass.failed = true;
    return FALSE;  // the first failure ends the pass
}

// Runs `step` for every payload resource, in the order the module lists them; false at
// the first step that fails, with its reason.
bool ForEachPayload(const PayloadFolders& folders, PayloadStep step, DWORD& reason)
{
    Pass pass = {&folders, step, ERROR_SUCCESS, false};
    EnumResourceNamesA(AppInstance, PayloadType, RunStep, reinterpret_cast<LONG_PTR>(&pass));
    reason = pass.reason;
    return !pass.failed;
}

void ForEachPayload(const PayloadFolders& folders, PayloadStep step)
{
    DWORD ignored;
    ForEachPayload(folders, step, ignored);
}

// The previous set out, the new one in; undone in reverse order at any failure.
bool Replace(const PayloadFolders& folders, DWORD& reason)
{
    if (!ForEachPayload(folders, Retire, reason)) {
        ForEachPayload(folders, PutBack);
        return false;
    }
    if (!ForEachPayload(folders, Place, reason)) {
        ForEachPayload(folders, Unplace);
        ForEachPayload(folders, PutBack);
        return false;
    }
    ForEachPayload(folders, DropOutgoing);
    return true;
}

bool MakeFolder(const TextString& path, DWORD& reason)
{
    if (CreateFolderWithParents(path))
        return true;
    reason = GetLastError();
    return false;
}

} // namespace

bool ExtractPayload(SetupApplication& application)
{
    PayloadFolders folders(application.InstallFolder);
    ForEachPayload(folders, ClearLeftovers);
    DWORD reason = ERROR_SUCCESS;
    bool installed = MakeFolder(folders.incoming, reason) &&
                     MakeFolder(folders.outgoing, reason) &&
                     ForEachPayload(folders, Stage, reason) && Replace(folders, reason);
    if (!installed)
        ForEachPayload(folders, Discard);
    RemoveDirectoryA(folders.incoming.GetText());  // fails harmlessly when not empty
    RemoveDirectoryA(folders.outgoing.GetText());
    SetLastError(installed ? ERROR_SUCCESS : reason);
    return installed;
}
