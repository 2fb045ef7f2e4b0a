// The program's own start-up, in place of the runtime's: restrict the library search to
// the system folder before any code can load a library, check the program's own file and
// bind its libraries (the steps of Startup.h), construct the static objects (ModuleState
// first, then the SetupApplication), call WinMain with the command line after the program
// name and the start-up show state, destroy the static objects in reverse order and end
// the process with WinMain's result. The runtime's other start-up work (argument vectors,
// thread-local storage, pseudo-relocations, floating point) serves nothing this program
// uses, and leaving it out keeps the setup small.
#include <windows.h>

#include "app/startup/Startup.h"
#include "support/SystemLibrary.h"

namespace {

using ExitFunction = void (*)();

// The static objects' destructors, registered by their constructors through atexit.
constexpr int MaxExitFunctions = 16;
ExitFunction exitFunctions[MaxExitFunctions];
int exitCount;

// The command line without the program's name and the blanks after it.
char* ArgumentsOf(char* commandLine)
{
    char* at = commandLine;
    if (*at == '"') {
        ++at;
        while (*at && *at != '"')
            ++at;
        if (*at == '"')
            ++at;
    } else {
        while (*at && *at != ' ' && *at != '\t')
            ++at;
    }
    while (*at == ' ' || *at == '\t')
        ++at;
    return at;
}

int StartupShowCommand()
{
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

// The linker's list of static constructors: a count (or -1), the functions, then 0.
extern "C" ExitFunction __CTOR_LIST__[];

extern "C" int atexit(ExitFunction function)
{
    if (exitCount == MaxExitFunctions)
        return -1;
    exitFunctions[exitCount++] = function;
    return 0;
}

// The list is run from its end to its start, as the compiler's own start-up does.
static void ConstructStatics()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (int i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
}

static void DestroyStatics()
{
    while (exitCount > 0)
        exitFunctions[--exitCount]();
}

// Windows enters with the stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void KorvaneStartup()
{
    RestrictLibrarySearch();
    CheckOwnFileOrEnd();
    BindLibrariesOrEnd();
    ConstructStatics();
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()),
                       StartupShowCommand());
    DestroyStatics();
    ExitProcess(static_cast<UINT>(code));
}
