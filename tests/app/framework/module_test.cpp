// The module state: each user-interface thread's loop in the map, found by thread id
// from any thread, and the window classes registered through it gone at Terminate.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
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
MessageLoop* StandIn(int& object) {
    return reinterpret_cast<MessageLoop*>(&object);
}

TEST_F(ModuleTest, EachThreadFindsItsOwnLoopAndOthersFindItByThreadId) {
    Module& module = Module::Process();
    std::array<int, 2> objects{};
    std::array<std::atomic<DWORD>, 2> threadIds{};
    std::array<bool, 2> addedTwice{true, true};
    std::array<int, 2> ownFound{};
    std::array<bool, 2> removedOnce{};
    std::array<bool, 2> removedTwice{true, true};
    std::latch added(2);
    std::latch checked(1);

    auto uiThread = [&](int index) {
        MessageLoop* loop = StandIn(objects[index]);
        // Churn first, so the two threads change the map at the same time.
        for (int round = 0; round < 500; ++round) {
            module.AddMessageLoop(loop);
            module.RemoveMessageLoop();
        }
        module.AddMessageLoop(loop);
        addedTwice[index] = module.AddMessageLoop(StandIn(objects[1 - index]));
        ownFound[index] = module.GetMessageLoop(GetCurrentThreadId()) == loop ? 1 : 0;
        threadIds[index] = GetCurrentThreadId();
        added.count_down();
        checked.wait();
        removedOnce[index] = module.RemoveMessageLoop();
        removedTwice[index] = module.RemoveMessageLoop();
    };
    std::thread first(uiThread, 0);
    std::thread second(uiThread, 1);
    added.wait();
    EXPECT_NE(threadIds[0].load(), threadIds[1].load());
    EXPECT_EQ(module.GetMessageLoop(threadIds[0]), StandIn(objects[0]));
    EXPECT_EQ(module.GetMessageLoop(threadIds[1]), StandIn(objects[1]));
    EXPECT_EQ(module.GetMessageLoop(GetCurrentThreadId()), nullptr);
    checked.count_down();
    first.join();
    second.join();

    for (int index : {0, 1}) {
        EXPECT_FALSE(addedTwice[index]) << index;
        EXPECT_EQ(ownFound[index], 1) << index;
        EXPECT_TRUE(removedOnce[index]) << index;
        EXPECT_FALSE(removedTwice[index]) << index;
        EXPECT_EQ(module.GetMessageLoop(threadIds[index]), nullptr) << index;
    }
}

LRESULT CALLBACK PlainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(ModuleTest, ClassesRegisteredThroughTheModuleAreUnregisteredAtTerminate) {
    Module& module = Module::Process();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainProcedure;
    windowClass.hInstance = module.InstanceHandle();
    windowClass.lpszClassName = u"ModuleTestClass";
    ASSERT_TRUE(module.RegisterWindowClass(windowClass));
    // A second registration of the same class is no failure: the class is there.
    EXPECT_TRUE(module.RegisterWindowClass(windowClass));
    WNDCLASSW found{};
    EXPECT_TRUE(GetClassInfoW(module.InstanceHandle(), u"ModuleTestClass", &found));

    windowClass.lpszClassName = MAKEINTRESOURCEW(5);
    EXPECT_FALSE(module.RegisterWindowClass(windowClass));

    const HINSTANCE instance = module.InstanceHandle();
    module.Terminate();
    EXPECT_FALSE(GetClassInfoW(instance, u"ModuleTestClass", &found));
    module.Initialize(instance);
}

}  // namespace
