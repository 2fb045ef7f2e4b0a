// Application: the framework's base class with its start, end, message-loop and idle slots.
#pragma once

#include <windows.h>

#include "support/TextString.h"

class Application : public BaseObject {
public:
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application() override = default;

    // Non-zero starts the main message loop.
    virtual int Init(HINSTANCE instance, char* commandLine, int showCommand);
    virtual int Exit(int code);
    // Waits for one handle while serving the message queue.
    virtual DWORD WaitWithMessages(HANDLE handle, DWORD timeout);
    // Dispatches every message already queued.
    virtual int PumpMessages();
    // The main message loop; ends at WM_QUIT or when *continueFlag turns 0.
    virtual int Run(int* continueFlag);
    virtual void IdleLoop();
    // Non-zero asks to be called again while the queue stays empty.
    virtual int OnIdle(int count);
    virtual int RegisterWindowClass();
    virtual int UnregisterWindowClass();

    char* CommandLine = nullptr;
    int ShowCommand = 0;
    HACCEL Accelerators = nullptr;
    HWND AcceleratorWindow = nullptr;
    // Caption of the install-folder messages; nothing assigns it, so it stays empty.
    TextString AppTitle;

private:
    void Dispatch(MSG& message, HWND acceleratorWindow);
};

// What WinMain does with the one application object: Init, the main loop when Init
// asks for it, then Exit; returns the process exit code.
int RunApplication(Application& application, HINSTANCE instance, char* commandLine,
                   int showCommand);
