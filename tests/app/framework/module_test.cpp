// The module state: each user-interface thread's loop in the map, found by thread id
// from any thread, and the window classes registered through it gone at Terminate.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <latch>
#include <thread>

#include "framework/Module.h"

namespace {

class ModuleTest : public ::testing::Test {
  protected:
    void SetUp() override { Module::Process().Initialize(GetModuleHandleW(nullptr)); }
    void TearDown() override { Module::Process().Terminate(); }
};

// The map only keeps the loops' addresses; any two distinct objects stand in for loops.
MessageLoop* StandInLoop(int& object) {
    return reinterpret_cast<MessageLoop*>(&object);
}

// Adds and removes the thread's loop many times, so that two threads change the map at
// the same time.
void ChurnLoop(Module& module, MessageLoop* loop) {
    for (int round = 0; round < 500; ++round) {
        module.AddMessageLoop(loop);
        module.RemoveMessageLoop();
    }
}

TEST_F(ModuleTest, EachThreadHasOneLoopThatAnyThreadFindsByItsId) {
    Module& module = Module::Process();
    int mine = 0;
    int theirs = 0;
    std::atomic<DWORD> otherId = 0;
    std::latch added(1);
    std::latch checked(1);
    std::thread other([&] {
        ChurnLoop(module, StandInLoop(theirs));
        EXPECT_TRUE(module.AddMessageLoop(StandInLoop(theirs)));
        otherId = GetCurrentThreadId();
        added.count_down();
        checked.wait();
        EXPECT_TRUE(module.RemoveMessageLoop());
    });
    ChurnLoop(module, StandInLoop(mine));
    ASSERT_TRUE(module.AddMessageLoop(StandInLoop(mine)));
    EXPECT_FALSE(module.AddMessageLoop(StandInLoop(theirs))) << "one loop a thread";
    added.wait();
    EXPECT_EQ(module.GetMessageLoop(GetCurrentThreadId()), StandInLoop(mine));
    EXPECT_EQ(module.GetMessageLoop(otherId), StandInLoop(theirs));
    checked.count_down();
    other.join();
    EXPECT_EQ(module.GetMessageLoop(otherId), nullptr);
    EXPECT_TRUE(module.RemoveMessageLoop());
    EXPECT_FALSE(module.RemoveMessageLoop());
}

LRESULT CALLBACK PlainModuleProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(ModuleTest, ClassesRegisteredThroughTheModuleAreUnregisteredAtTerminate) {
    Module& module = Module::Process();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainModuleProcedure;
    windowClass.hInstance = module.InstanceHandle();
    windowClass.lpszClassName = u"ModuleTestClass";
    ASSERT_TRUE(module.RegisterWindowClass(windowClass));
    // A second registration of the same class is no failure: the class is there.
    EXPECT_TRUE(module.RegisterWindowClass(windowClass));
    const HINSTANCE instance = module.InstanceHandle();
    WNDCLASSW found{};
    EXPECT_TRUE(GetClassInfoW(instance, u"ModuleTestClass", &found));
    module.Terminate();
    EXPECT_FALSE(GetClassInfoW(instance, u"ModuleTestClass", &found));
    module.Initialize(instance);
}

}  // namespace
