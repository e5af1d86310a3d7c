// Critical sections and unnamed mutexes: recursion, exclusion under contention,
// ownership.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

struct Shared {
    CRITICAL_SECTION section;
    HANDLE mutex = nullptr;
    // Updated with a read, a yield and a write, so that two threads inside at once
    // lose increments.
    int counter = 0;
};

void SlowIncrement(int& counter) {
    const int seen = counter;
    std::this_thread::yield();
    counter = seen + 1;
}

DWORD WINAPI EnterRecursivelyAndCount(LPVOID parameter) {
    auto* shared = static_cast<Shared*>(parameter);
    for (int i = 0; i < 2000; ++i) {
        EnterCriticalSection(&shared->section);
        EnterCriticalSection(&shared->section);
        SlowIncrement(shared->counter);
        LeaveCriticalSection(&shared->section);
        // Still held after one leave: the second increment is also protected.
        SlowIncrement(shared->counter);
        LeaveCriticalSection(&shared->section);
    }
    return 0;
}

DWORD WINAPI WaitOnMutexAndCount(LPVOID parameter) {
    auto* shared = static_cast<Shared*>(parameter);
    for (int i = 0; i < 500; ++i) {
        if (WaitForSingleObject(shared->mutex, INFINITE) != WAIT_OBJECT_0) {
            return 1;
        }
        WaitForSingleObject(shared->mutex, INFINITE);
        SlowIncrement(shared->counter);
        ReleaseMutex(shared->mutex);
        SlowIncrement(shared->counter);
        ReleaseMutex(shared->mutex);
    }
    return 0;
}

void RunFourThreads(LPTHREAD_START_ROUTINE routine, Shared& shared) {
    std::vector<HANDLE> threads;
    for (int i = 0; i < 4; ++i) {
        threads.push_back(CreateThread(nullptr, 0, routine, &shared, 0, nullptr));
        ASSERT_NE(nullptr, threads.back());
    }
    for (HANDLE thread : threads) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
        DWORD exitCode = 1;
        GetExitCodeThread(thread, &exitCode);
        EXPECT_EQ(0u, exitCode);
        CloseHandle(thread);
    }
}

TEST(CriticalSectionTest, RecursiveEntryExcludesOtherThreads) {
    Shared shared;
    InitializeCriticalSection(&shared.section);
    RunFourThreads(EnterRecursivelyAndCount, shared);
    EXPECT_EQ(4 * 2000 * 2, shared.counter);
    DeleteCriticalSection(&shared.section);
}

TEST(CriticalSectionTest, ALeaveByANonOwnerDoesNotReleaseIt) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    std::thread([&section] { LeaveCriticalSection(&section); }).join();
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread contender([&section, done] {
        EnterCriticalSection(&section);
        SetEvent(done);
        LeaveCriticalSection(&section);
    });
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(done, 50));
    LeaveCriticalSection(&section);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(done, INFINITE));
    contender.join();
    CloseHandle(done);
    DeleteCriticalSection(&section);
}

TEST(MutexTest, RecursiveOwnershipExcludesOtherThreads) {
    Shared shared;
    shared.mutex = CreateMutexW(nullptr, FALSE, nullptr);
    ASSERT_NE(nullptr, shared.mutex);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    RunFourThreads(WaitOnMutexAndCount, shared);
    EXPECT_EQ(4 * 500 * 2, shared.counter);
    CloseHandle(shared.mutex);
}

TEST(MutexTest, OnlyTheOwnerReleasesAndOthersTimeOut) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, nullptr);
    ASSERT_NE(nullptr, mutex);
    DWORD otherWait = 0;
    BOOL otherRelease = TRUE;
    DWORD otherError = 0;
    std::thread([&] {
        otherRelease = ReleaseMutex(mutex);
        otherError = GetLastError();
        otherWait = WaitForSingleObject(mutex, 20);
    }).join();
    EXPECT_FALSE(otherRelease);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_OWNER), otherError);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), otherWait);

    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    std::thread([&] { otherWait = WaitForSingleObject(mutex, 0); }).join();
    EXPECT_EQ(WAIT_OBJECT_0, otherWait);
    CloseHandle(mutex);
}

}  // namespace
