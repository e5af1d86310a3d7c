// The module state: each user-interface thread's loop in the map, found by thread id
// from any thread. That Terminate drops the classes registered through it shows in the
// framework's tests, each of which registers its class anew.
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

TEST_F(ModuleTest, EachThreadHasOneLoopThatAnyThreadFindsByItsId) {
    Module& module = Module::Process();
    // The map only keeps the loops' addresses; any two distinct objects stand in for loops.
    std::array<int, 2> objects{};
    auto* const mine = reinterpret_cast<MessageLoop*>(&objects[0]);
    auto* const theirs = reinterpret_cast<MessageLoop*>(&objects[1]);
    std::atomic<DWORD> otherId = 0;
    std::latch added(1);
    std::latch checked(1);
    // Both threads change the map with nothing ordering them but its lock.
    std::thread other([&] {
        EXPECT_TRUE(module.AddMessageLoop(theirs));
        otherId = GetCurrentThreadId();
        added.count_down();
        checked.wait();
        EXPECT_TRUE(module.RemoveMessageLoop());
    });
    EXPECT_TRUE(module.AddMessageLoop(mine));
    EXPECT_FALSE(module.AddMessageLoop(theirs)) << "one loop a thread";
    added.wait();
    EXPECT_EQ(module.GetMessageLoop(GetCurrentThreadId()), mine);
    EXPECT_EQ(module.GetMessageLoop(otherId), theirs);
    checked.count_down();
    other.join();
    EXPECT_EQ(module.GetMessageLoop(otherId), nullptr);
    EXPECT_TRUE(module.RemoveMessageLoop());
    EXPECT_FALSE(module.RemoveMessageLoop());
}

}  // namespace
