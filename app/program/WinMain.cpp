// The program's entry point: one instance, COM and the common controls, the first
// reading of the adapters, then the main frame and its message loop until "Exit".
#include <commctrl.h>
#include <objbase.h>
#include <windows.h>

#include "common/AdapterSnapshot.h"
#include "framework/Module.h"
#include "program/BringForwardRunningInstance.h"
#include "program/MainFrame.h"
#include "program/MessageLoop.h"

namespace {

int RunApplication(int show) {
    MessageLoop loop;
    Module::Process().AddMessageLoop(&loop);
    // Before any page exists, so that every page finds the adapters already read.
    AdapterSnapshot::Instance().ReadAdapters();

    int result = 0;
    {
        MainFrame frame;
        if (HWND window = frame.CreateFrame()) {
            frame.SetAccelerators(LoadAcceleratorsW(Module::Process().ResourceInstance(),
                                                    MAKEINTRESOURCEW(IDR_MAINFRAME)));
            ShowWindow(window, show);
            result = loop.Run();
        }
    }
    Module::Process().RemoveMessageLoop();
    return result;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    const HRESULT running = BringForwardRunningInstance(instance);
    if (FAILED(running) || running == S_FALSE) {
        return running;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    Module::Process().Initialize(instance);

    const int result = RunApplication(show);

    Module::Process().Terminate();
    CoUninitialize();
    return result;
}
