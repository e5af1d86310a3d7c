// A fixture for the framework's tests: the shell running (the common dialog procedure
// talks to it), the module started with this executable's instance and resources, and
// one class whose windows are bound to objects.
#pragma once

#include "controls/control_classes.h"
#include "framework/Module.h"
#include "framework/Window.h"
#include "shell/shell_test.h"

namespace tessalink::test {

inline constexpr const WCHAR* kBoundClass = u"FrameworkBoundWindow";

class FrameworkTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        Module::Process().Initialize(GetModuleHandleW(nullptr));
        // The program's own dialogs hold static controls.
        platform::controls::RegisterSystemControlClasses();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Window::StartProcedure;
        windowClass.hInstance = Module::Process().InstanceHandle();
        windowClass.lpszClassName = kBoundClass;
        ASSERT_TRUE(Module::Process().RegisterWindowClass(windowClass));
    }

    void TearDown() override {
        ShellTest::TearDown();
        Module::Process().Terminate();
    }
};

}  // namespace tessalink::test
