// Critical sections and unnamed mutexes: recursion, exclusion under contention,
// ownership.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// The two locks, each entered twice by four threads around a counter updated with a
// read, a yield and a write, so that two threads inside at once lose increments.
struct SectionLock {
    CRITICAL_SECTION section;
    bool Enter() { return (EnterCriticalSection(&section), true); }
    void Leave() { LeaveCriticalSection(&section); }
    int counter = 0;
};

struct MutexLock {
    HANDLE mutex = nullptr;
    bool Enter() { return WaitForSingleObject(mutex, INFINITE) == WAIT_OBJECT_0; }
    void Leave() { ReleaseMutex(mutex); }
    int counter = 0;
};

void SlowIncrement(int& counter) {
    const int seen = counter;
    std::this_thread::yield();
    counter = seen + 1;
}

template <typename Lock, int kRounds>
DWORD WINAPI EnterTwiceAndCount(LPVOID parameter) {
    auto& lock = *static_cast<Lock*>(parameter);
    for (int i = 0; i < kRounds; ++i) {
        if (!lock.Enter() || !lock.Enter()) {
            return 1;
        }
        SlowIncrement(lock.counter);
        lock.Leave();
        // Still held after one leave: the second increment is also protected.
        SlowIncrement(lock.counter);
        lock.Leave();
    }
    return 0;
}

template <typename Lock, int kRounds>
void ExpectFourThreadsToCountEveryRound(Lock& lock) {
    std::vector<HANDLE> threads;
    for (int i = 0; i < 4; ++i) {
        threads.push_back(
            CreateThread(nullptr, 0, EnterTwiceAndCount<Lock, kRounds>, &lock, 0, nullptr));
        ASSERT_NE(nullptr, threads.back());
    }
    for (HANDLE thread : threads) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
        DWORD exitCode = 1;
        GetExitCodeThread(thread, &exitCode);
        EXPECT_EQ(0u, exitCode);
        CloseHandle(thread);
    }
    EXPECT_EQ(4 * kRounds * 2, lock.counter);
}

TEST(CriticalSectionTest, RecursiveEntryExcludesOtherThreads) {
    SectionLock lock;
    InitializeCriticalSection(&lock.section);
    ExpectFourThreadsToCountEveryRound<SectionLock, 2000>(lock);
    DeleteCriticalSection(&lock.section);
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
    MutexLock lock;
    SetLastError(ERROR_INVALID_HANDLE);
    lock.mutex = CreateMutexW(nullptr, FALSE, nullptr);
    ASSERT_NE(nullptr, lock.mutex);
    EXPECT_EQ(ERROR_SUCCESS, GetLastError());
    ExpectFourThreadsToCountEveryRound<MutexLock, 500>(lock);
    CloseHandle(lock.mutex);
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
    EXPECT_EQ(ERROR_NOT_OWNER, otherError);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), otherWait);

    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    std::thread([&] { otherWait = WaitForSingleObject(mutex, 0); }).join();
    EXPECT_EQ(WAIT_OBJECT_0, otherWait);
    CloseHandle(mutex);
}

}  // namespace
