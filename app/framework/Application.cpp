// Application: the framework's default behaviour. The setup program overrides Init and
// never reaches the message loops, which stay here so that the framework is whole.
#include "app/framework/Application.h"

#include "app/ProcessState.h"
#include "app/framework/ModuleState.h"
#include "support/LateBound.h"

namespace {

const char WindowClassName[] = "OrbelwickSetupCls";

// MsgWaitForMultipleObjects' answer when input, not the handle, ended the wait.
constexpr DWORD InputWaiting = WAIT_OBJECT_0 + 1;

// Every classic kind of input (0xFF): keys, mouse, posted and sent messages, timers,
// paint and hot keys. Today's QS_ALLINPUT adds raw input, which the loop never asked for.
constexpr DWORD WaitWakeMask = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER |
                               QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;

}  // namespace

int Application::Init(HINSTANCE instance, char* commandLine, int showCommand)
{
    AppInstance = instance;
    CommandLine = commandLine;
    ShowCommand = showCommand;
    return RegisterWindowClass();
}

int Application::Exit(int code)
{
    UnregisterWindowClass();  // fails harmlessly when the class was never registered
    TheModuleState.TempPool.FreeAll();
    return code;
}

DWORD Application::WaitWithMessages(HANDLE handle, DWORD timeout)
{
    for (;;) {
        DWORD result =
            LateBound::MsgWaitForMultipleObjects(1, &handle, FALSE, timeout, WaitWakeMask);
        if (result != InputWaiting)
            return result;
        PumpMessages();
    }
}

int Application::PumpMessages()
{
    MSG message;
    while (LateBound::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        Dispatch(message, TheModuleState.ActiveWindow);
    return 0;
}

int Application::Run(int* continueFlag)
{
    int keepRunning = 1;
    if (!continueFlag)
        continueFlag = &keepRunning;
    MSG message = {};
    while (*continueFlag) {
        if (LateBound::GetMessageA(&message, nullptr, 0, 0) != 1)
            break;
        Dispatch(message, AcceleratorWindow);
        while (LateBound::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            Dispatch(message, AcceleratorWindow);
        IdleLoop();
        if (message.message == WM_QUIT)
            break;
    }
    return static_cast<int>(message.wParam);
}

void Application::IdleLoop()
{
    MSG message;
    for (int count = 0;; ++count) {
        if (LateBound::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
            return;
        if (!OnIdle(count))
            return;
    }
}

int Application::OnIdle(int)
{
    TheModuleState.TempPool.FreeAll();
    return 0;
}

int Application::RegisterWindowClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = LateBound::DefWindowProcA;
    windowClass.hInstance = AppInstance;
    windowClass.hCursor = LateBound::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WindowClassName;
    return LateBound::RegisterClassA(&windowClass);
}

int Application::UnregisterWindowClass()
{
    return LateBound::UnregisterClassA(WindowClassName, AppInstance);
}

void Application::Dispatch(MSG& message, HWND acceleratorWindow)
{
    if (TheModuleState.ActiveDialog &&
        LateBound::IsDialogMessageA(TheModuleState.ActiveDialog, &message))
        return;
    if (Accelerators && LateBound::TranslateAcceleratorA(acceleratorWindow, Accelerators, &message))
        return;
    LateBound::TranslateMessage(&message);
    LateBound::DispatchMessageA(&message);
}

int RunApplication(Application& application, HINSTANCE instance, char* commandLine, int showCommand)
{
    int exitCode = 0;
    if (application.Init(instance, commandLine, showCommand))
        exitCode = application.Run(nullptr);
    return application.Exit(exitCode);
}
