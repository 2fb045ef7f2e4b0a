// Payload extraction as one set. Beside the install folder, under the same parent, three
// short-named folders hold the sets in transit:
//   "~n"  the new set, made whole there first: each resource is written as stored to a
//         ".zip" temporary, expanded (or copied) beside it, flushed to the disk and read
//         back against its record;
//   "~o"  the previous set while the new one takes its place; made only once the new set
//         is whole, so its presence means "the swap has begun, roll back";
//   "~d"  the previous set once every new file is in place: renaming "~o" to "~d" is the
//         one step that commits the new set, so its presence means "roll forward".
// Every move is a rename on one volume, which MoveFileA does on every Windows from 95 on.
//
// A crash or power cut at any moment leaves a state that the next run completes before it
// starts: with "~d" it finishes the new set (it only clears up); with "~o" it puts every
// new file back in "~n" and every previous one back in its place, and removes "~o" before
// it clears "~n", so that an interrupted recovery still knows which files are new. The
// short names keep every path in transit no longer than the longest installed path.
#include "install/PayloadExtractor.h"

#include "app/ProcessState.h"
#include "app/Product.h"
#include "app/SetupApplication.h"
#include "install/FileExpansion.h"
#include "install/InstallFolder.h"
#include "install/PayloadDigest.h"
#include "support/ResourceFile.h"

namespace {

const char PayloadType[] = "BIN";
const char TemporarySuffix[] = ".zip";
const char IncomingFolder[] = "~n";
const char OutgoingFolder[] = "~o";
const char DiscardFolder[] = "~d";
static_assert(sizeof IncomingFolder + sizeof TemporarySuffix - 1 <= sizeof ProductFolder &&
                  sizeof OutgoingFolder <= sizeof ProductFolder &&
                  sizeof DiscardFolder <= sizeof ProductFolder,
              "a path in transit would be longer than the installed one");

// The install folder and its companions in the same parent.
struct PayloadFolders {
    explicit PayloadFolders(const TextString& installFolder)
        : installed(installFolder), incoming(Sibling(IncomingFolder)),
          outgoing(Sibling(OutgoingFolder)), discarded(Sibling(DiscardFolder))
    {
    }
    TextString Sibling(const char* name) const
    {
        return TextString(installed.GetText(), installed.ReverseFind('\\') + 1) + name;
    }
    TextString installed;
    TextString incoming;
    TextString outgoing;
    TextString discarded;
};

// Where one payload file lies at each stage.
struct PayloadPaths {
    PayloadPaths(const PayloadFolders& folders, const char* name)
        : installed(folders.installed + "\\" + name), incoming(folders.incoming + "\\" + name),
          raw(incoming + TemporarySuffix), outgoing(folders.outgoing + "\\" + name),
          discarded(folders.discarded + "\\" + name)
    {
    }
    TextString installed;
    TextString incoming;
    TextString raw;
    TextString outgoing;
    TextString discarded;
};

bool Exists(const TextString& path)
{
    return GetFileAttributesA(path.GetText()) != INVALID_FILE_ATTRIBUTES;
}

bool IsMissing(DWORD reason)
{
    return reason == ERROR_FILE_NOT_FOUND || reason == ERROR_PATH_NOT_FOUND;
}

// A file left read-only or hidden is removed all the same; a missing one is no fault, and
// the one call that finds it missing is enough.
void Remove(const TextString& path)
{
    if (SetFileAttributesA(path.GetText(), FILE_ATTRIBUTE_NORMAL) || !IsMissing(GetLastError()))
        DeleteFileA(path.GetText());
}

DWORD Move(const TextString& from, const TextString& to)
{
    return MoveFileA(from.GetText(), to.GetText()) ? ERROR_SUCCESS : GetLastError();
}

// True when the folder is gone: removed now, being empty, or not there at all. One call
// settles the common case, where no file is left in it to remove first.
bool RemoveEmptyFolder(const TextString& path)
{
    return RemoveDirectoryA(path.GetText()) || IsMissing(GetLastError());
}

// One step of a pass, for one payload file: ERROR_SUCCESS, or Windows' reason.
using PayloadStep = DWORD (*)(const char* name, const PayloadPaths& paths);

struct Pass {
    const PayloadFolders* folders;
    PayloadStep step;
    DWORD reason;
};

BOOL CALLBACK RunStep(HMODULE, LPCSTR, LPSTR name, LONG_PTR parameter)
{
    auto& pass = *reinterpret_cast<Pass*>(parameter);
    pass.reason = pass.step(name, PayloadPaths(*pass.folders, name));
    return pass.reason == ERROR_SUCCESS;  // the first failure ends the pass
}

// Runs `step` for every payload resource, in the order the module lists them, up to the
// first that fails; its reason, or ERROR_SUCCESS.
DWORD ForEachPayload(const PayloadFolders& folders, PayloadStep step)
{
    Pass pass = {&folders, step, ERROR_SUCCESS};
    EnumResourceNamesA(AppInstance, PayloadType, RunStep, reinterpret_cast<LONG_PTR>(&pass));
    return pass.reason;
}

// ---- Making the new set whole in "~n" ----------------------------------------------

DWORD Stage(const char* name, const PayloadPaths& paths)
{
    DWORD reason = ERROR_SUCCESS;
    if (WriteResourceToFile(paths.raw.GetText(), AppInstance, name, PayloadType, reason) &&
        ExpandFile(paths.raw.GetText(), paths.incoming.GetText(), reason))
        reason = CompareWithPayloadDigest(paths.incoming.GetText(), AppInstance, name);
    DeleteFileA(paths.raw.GetText());  // made plain here: nothing to clear before
    return reason;
}

// ---- The swap ----------------------------------------------------------------------

// A folder that bears a payload file's name is not ours to move: the file cannot go there.
// One look tells a file, a folder and nothing apart.
DWORD Retire(const char*, const PayloadPaths& paths)
{
    DWORD attributes = GetFileAttributesA(paths.installed.GetText());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ERROR_SUCCESS;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return ERROR_ALREADY_EXISTS;
    return Move(paths.installed, paths.outgoing);
}

DWORD Place(const char*, const PayloadPaths& paths)
{
    return Move(paths.incoming, paths.installed);
}

// ---- Rolling back: the previous set in place, the new one back in "~n" -------------

// While "~o" exists, a payload file missing from "~n" that is the new file was placed: it
// goes back there, so that the install folder holds no new file, and "~n" tells the new
// files from the old. The record is asked too, so that a previous file is never taken
// for a new one, whatever an interrupted run of another version left.
DWORD Unplace(const char* name, const PayloadPaths& paths)
{
    if (!Exists(paths.incoming) &&
        CompareWithPayloadDigest(paths.installed.GetText(), AppInstance, name) == ERROR_SUCCESS)
        Move(paths.installed, paths.incoming);
    return ERROR_SUCCESS;  // every file is tried
}

DWORD PutBack(const char*, const PayloadPaths& paths)
{
    if (Exists(paths.outgoing) && !Exists(paths.installed))
        Move(paths.outgoing, paths.installed);
    return ERROR_SUCCESS;
}

DWORD DropIncoming(const char*, const PayloadPaths& paths)
{
    Remove(paths.raw);
    Remove(paths.incoming);
    return ERROR_SUCCESS;
}

DWORD DropEarlierTemporary(const char*, const PayloadPaths& paths)
{
    Remove(paths.installed + TemporarySuffix);  // where earlier versions kept theirs
    return ERROR_SUCCESS;
}

// Leaves the previous set in place and nothing in transit, whatever step a failure or an
// earlier run's interruption stopped at before the commit.
void RollBack(const PayloadFolders& folders)
{
    if (IsFolder(folders.outgoing)) {
        ForEachPayload(folders, Unplace);
        ForEachPayload(folders, PutBack);
        // Only an empty "~o" goes; while a previous file is still in it, "~n" must stay
        // as it is for the next run to finish the roll-back.
        if (!RemoveDirectoryA(folders.outgoing.GetText()))
            return;
    }
    if (!RemoveEmptyFolder(folders.incoming)) {
        ForEachPayload(folders, DropIncoming);
        RemoveDirectoryA(folders.incoming.GetText());
    }
    ForEachPayload(folders, DropEarlierTemporary);
}

// ---- Rolling forward: the new set committed, the previous one discarded -------------

DWORD DropDiscarded(const char*, const PayloadPaths& paths)
{
    Remove(paths.discarded);
    return ERROR_SUCCESS;
}

void RollForward(const PayloadFolders& folders)
{
    if (!RemoveEmptyFolder(folders.discarded)) {
        ForEachPayload(folders, DropDiscarded);
        RemoveDirectoryA(folders.discarded.GetText());
    }
    RemoveDirectoryA(folders.incoming.GetText());
}

// Every step from the staged set to the committed one; the first failure's reason. The
// companion folders' parent is the install folder's, which its preparation made.
DWORD Install(const PayloadFolders& folders)
{
    DWORD reason = CreateFolderLevel(folders.incoming);
    if (reason == ERROR_SUCCESS)
        reason = ForEachPayload(folders, Stage);
    if (reason == ERROR_SUCCESS)
        reason = CreateFolderLevel(folders.outgoing);
    if (reason == ERROR_SUCCESS)
        reason = ForEachPayload(folders, Retire);
    if (reason == ERROR_SUCCESS)
        reason = ForEachPayload(folders, Place);
    if (reason == ERROR_SUCCESS)
        reason = Move(folders.outgoing, folders.discarded);  // the commit
    return reason;
}

}  // namespace

DWORD ExtractPayload(SetupApplication& application)
{
    PayloadFolders folders(application.InstallFolder);
    if (IsFolder(folders.discarded))
        RollForward(folders);
    RollBack(folders);
    DWORD reason = Install(folders);
    if (reason == ERROR_SUCCESS)
        RollForward(folders);
    else
        RollBack(folders);
    return reason;
}
