// Stands in for the browser and the mail program: appends the address it was asked to
// open, one record a call, to the link record (SharedNames.h), then exits 0.
#include <windows.h>

#include "driver/probe/RecordFile.h"
#include "driver/probe/SharedNames.h"
#include "tests/standins/CommandLine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string address = ArgumentsOf(GetCommandLineA());
    // The shell quotes the address ("%1").
    if (address.size() >= 2 && address.front() == '"' && address.back() == '"')
        address = address.substr(1, address.size() - 2);
    return WriteRecord(Variable::LinkRecord, RecordLine({address})) ? 0 : 1;
}
