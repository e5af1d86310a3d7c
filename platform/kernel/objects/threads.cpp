// CreateThread and the thread queries. Threads run on std::thread, detached: as on
// Windows, a thread runs on after its handle closes, and the process may end while
// it still runs.
#include <windows.h>

#include <unistd.h>

#include <chrono>
#include <system_error>
#include <thread>

#include "kernel/objects/kernel_handle_table.h"
#include "kernel/objects/thread_object.h"
#include "kernel/objects/thread_registry.h"

using platform::kernel::KernelHandleTable;
using platform::kernel::ThreadObject;
using platform::kernel::ThreadRegistry;

namespace {

void RunThread(std::shared_ptr<ThreadObject> thread, std::uint32_t threadId,
               LPTHREAD_START_ROUTINE start, LPVOID parameter) {
    ThreadRegistry::Instance().AdoptOnCurrentThread(threadId);
    const DWORD exitCode = start(parameter);
    // Retire the id before waking waiters, so a waiter already finds the thread gone.
    ThreadRegistry::Instance().RetireCurrentThread();
    thread->Finish(exitCode);
}

}  // namespace

// Windows CE ignores the stack size unless a flag asks otherwise; so do we, and std::thread
// gives every thread the system's default stack.
extern "C" HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T,
                                      LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                                      DWORD dwCreationFlags, LPDWORD lpThreadId) {
    // FIXME: CREATE_SUSPENDED would need ResumeThread, which nothing calls yet; any
    // creation flag is refused rather than ignored.
    if (lpStartAddress == nullptr || dwCreationFlags != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<ThreadObject>();
    HANDLE handle = KernelHandleTable::Instance().Add(thread);
    if (handle == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const std::uint32_t threadId = ThreadRegistry::Instance().Reserve();
    try {
        std::thread(RunThread, thread, threadId, lpStartAddress, lpParameter).detach();
    } catch (const std::system_error&) {
        KernelHandleTable::Instance().Close(handle);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (lpThreadId != nullptr) {
        *lpThreadId = threadId;
    }
    return handle;
}

extern "C" BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    const auto thread = KernelHandleTable::Instance().FindAs<ThreadObject>(hThread);
    if (thread == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpExitCode == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpExitCode = thread->ExitCode().value_or(STILL_ACTIVE);
    return TRUE;
}

extern "C" DWORD WINAPI GetCurrentThreadId(void) {
    return ThreadRegistry::Instance().CurrentThreadId();
}

extern "C" DWORD WINAPI GetCurrentProcessId(void) {
    return static_cast<DWORD>(getpid());
}

extern "C" void WINAPI Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == 0) {
        // Sleep(0) gives up the rest of the time slice.
        std::this_thread::yield();
        return;
    }
    if (dwMilliseconds == INFINITE) {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::hours(24));
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

// Milliseconds of a clock that never jumps, wrapping every 49.7 days as on Windows.
extern "C" DWORD WINAPI GetTickCount(void) {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}
