// CreateThread, waits on threads and events, exit codes, thread ids, handles that are
// stale or never existed, and the per-thread count of CoInitializeEx.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "kernel/objects/thread_registry.h"

namespace {

using platform::kernel::ThreadRegistry;

struct Job {
    HANDLE go = nullptr;
    DWORD seenThreadId = 0;
};

DWORD WINAPI WaitForGoThenReport(LPVOID parameter) {
    auto* job = static_cast<Job*>(parameter);
    job->seenThreadId = GetCurrentThreadId();
    WaitForSingleObject(job->go, INFINITE);
    return 42;
}

TEST(ThreadsTest, RunsWaitsAndReportsTheExitCode) {
    Job job;
    job.go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, job.go);
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitForGoThenReport, &job, 0, &threadId);
    ASSERT_NE(nullptr, thread);
    EXPECT_NE(GetCurrentThreadId(), threadId);

    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(thread, 20));
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &exitCode));
    EXPECT_EQ(STILL_ACTIVE, exitCode);
    EXPECT_TRUE(ThreadRegistry::Instance().IsAlive(threadId));

    ASSERT_TRUE(SetEvent(job.go));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
    ASSERT_TRUE(GetExitCodeThread(thread, &exitCode));
    EXPECT_EQ(42u, exitCode);
    EXPECT_EQ(threadId, job.seenThreadId);
    // The id is retired before the thread's handle is signalled.
    EXPECT_FALSE(ThreadRegistry::Instance().IsAlive(threadId));

    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_TRUE(CloseHandle(job.go));
}

TEST(ThreadsTest, ThreadsNotMadeByCreateThreadGetDistinctLiveIds) {
    const DWORD mine = GetCurrentThreadId();
    EXPECT_EQ(mine, GetCurrentThreadId());
    auto& registry = ThreadRegistry::Instance();
    EXPECT_TRUE(registry.IsAlive(mine));

    DWORD other = 0;
    std::thread([&other] { other = GetCurrentThreadId(); }).join();
    EXPECT_NE(0u, other);
    EXPECT_NE(mine, other);
    EXPECT_FALSE(registry.IsAlive(other));
}

TEST(ThreadsTest, EventsResetAsAskedAndTimeOut) {
    SetLastError(ERROR_INVALID_HANDLE);
    HANDLE automatic = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, GetLastError());
    HANDLE manual = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(automatic, 0));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(automatic, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(manual, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(manual, 0));
    ASSERT_TRUE(ResetEvent(manual));
    const DWORD before = GetTickCount();
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(manual, 30));
    EXPECT_GE(GetTickCount() - before, 30u);

    EXPECT_EQ(nullptr, CreateEventW(nullptr, TRUE, FALSE, u"named"));
    EXPECT_EQ(ERROR_NOT_SUPPORTED, GetLastError());
    CloseHandle(automatic);
    CloseHandle(manual);
}

TEST(ThreadsTest, StaleAndForgedHandlesFailWithInvalidHandle) {
    HANDLE event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    ASSERT_TRUE(CloseHandle(event));
    // The slot is reused by the next object; the old handle must not reach it.
    HANDLE reused = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, reused);

    int notAHandle = 0;
    const HANDLE forged[] = {event,
                             nullptr,
                             INVALID_HANDLE_VALUE,
                             &notAHandle,
                             reinterpret_cast<HANDLE>(std::uintptr_t{0x4B00000001000004}),
                             reinterpret_cast<HANDLE>(std::uintptr_t{0x4BFFFFFFFFFFFFFC})};
    for (HANDLE handle : forged) {
        SetLastError(0);
        EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(handle, 0)) << handle;
        EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
        EXPECT_FALSE(CloseHandle(handle));
        EXPECT_FALSE(SetEvent(handle));
        DWORD code = 0;
        EXPECT_FALSE(GetExitCodeThread(handle, &code));
    }
    // A handle of the wrong kind is as invalid for the call as a forged one.
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(reused, &code));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_FALSE(ReleaseMutex(reused));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());

    // The new object behind the reused slot is untouched by all of that.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(reused, 0));
    CloseHandle(reused);
}

TEST(ThreadsTest, RefusesWhatItCannotDoAndRunsOnAfterItsHandleCloses) {
    EXPECT_EQ(nullptr, CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(nullptr, CreateThread(nullptr, 0, WaitForGoThenReport, nullptr, 0x4, nullptr));

    static std::atomic<bool> ran{false};
    const auto later = [](LPVOID) -> DWORD {
        Sleep(20);
        ran = true;
        return 0;
    };
    ASSERT_TRUE(CloseHandle(CreateThread(nullptr, 0, later, nullptr, 0, nullptr)));
    for (int i = 0; i < 500 && !ran; ++i) {
        Sleep(10);
    }
    EXPECT_TRUE(ran);
}

TEST(ComInitializationTest, CountsPerThreadAndRefusesAChangedModel) {
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    // Another thread starts from nothing, in whichever model it asks for.
    HRESULT other = E_FAIL;
    std::thread([&other] {
        other = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CoUninitialize();
    }).join();
    EXPECT_EQ(S_OK, other);

    // Two successful calls need two uninitialisations; the refused one none.
    CoUninitialize();
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    CoUninitialize();
    CoUninitialize();  // unmatched: no effect.
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();

    int reserved = 0;
    EXPECT_EQ(E_INVALIDARG, CoInitializeEx(&reserved, COINIT_MULTITHREADED));
}

}  // namespace
