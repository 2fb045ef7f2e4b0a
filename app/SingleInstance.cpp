// SingleInstance: a named shared-memory record of the first copy's process id. Named
// objects are per session on Windows with Terminal Services, so each user may run one.
#include "app/SingleInstance.h"

#include "support/LateBound.h"

namespace {

const char RecordName[] = "OrbelwickKorvaneSetupRunning";

// The shared record's view, unmapped exactly once.
class RecordView {
public:
    RecordView(HANDLE record, DWORD access)
        : processId(static_cast<DWORD*>(MapViewOfFile(record, access, 0, 0, sizeof(DWORD))))
    {
    }
    ~RecordView()
    {
        if (processId)
            UnmapViewOfFile(processId);
    }
    RecordView(const RecordView&) = delete;
    RecordView& operator=(const RecordView&) = delete;

    DWORD* processId;
};

struct Search {
    DWORD processId;
    HWND found;
};

// Windows come in Z order, the front one first: the first visible one is the one to show.
BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    LateBound::GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !LateBound::IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

bool SingleInstance::Claim()
{
    record.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                    RecordName));
    if (!record.IsValid())
        return true;  // no record to be had: nothing tells of another copy either
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        record.Reset();
        return false;
    }
    RecordView view(record.Get(), FILE_MAP_WRITE);
    if (view.processId)
        *view.processId = GetCurrentProcessId();
    return true;
}

void SingleInstance::ShowOtherCopy()
{
    ObjectHandle record(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           sizeof(DWORD), RecordName));
    if (!record.IsValid())
        return;
    RecordView view(record.Get(), FILE_MAP_READ);
    // Zero while the other copy is still starting: it has no window yet.
    Search search = {view.processId ? *view.processId : 0, nullptr};
    if (search.processId == 0)
        return;
    LateBound::EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return;
    // A message box of that copy's, if it shows one, is what the user must answer.
    HWND window = LateBound::GetLastActivePopup(search.found);
    if (LateBound::IsIconic(window))
        LateBound::ShowWindow(window, SW_RESTORE);
    LateBound::SetForegroundWindow(window);
}
