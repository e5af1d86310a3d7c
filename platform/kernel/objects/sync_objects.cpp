// Mutexes and events. Security attributes describe access control and handle
// inheritance, neither of which a handheld's single user and our child-less
// processes have, so they are accepted as Windows CE accepts them: unused.
#include <windows.h>

#include <string_view>

#include "kernel/objects/event_object.h"
#include "kernel/objects/kernel_handle_table.h"
#include "kernel/objects/mutex_object.h"
#include "kernel/objects/named_mutex_table.h"

using platform::kernel::KernelHandleTable;

namespace {

HANDLE AddOrFail(std::shared_ptr<platform::kernel::KernelObject> object) {
    HANDLE handle = KernelHandleTable::Instance().Add(std::move(object));
    if (handle == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return handle;
}

}  // namespace

extern "C" HANDLE WINAPI CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCWSTR lpName) {
    // An empty name makes an unnamed mutex, as on Windows.
    if (lpName == nullptr || lpName[0] == 0) {
        auto mutex = std::make_shared<platform::kernel::MutexObject>();
        if (bInitialOwner) {
            mutex->Wait(0);
        }
        HANDLE handle = AddOrFail(std::move(mutex));
        if (handle != nullptr) {
            SetLastError(ERROR_SUCCESS);
        }
        return handle;
    }
    const std::u16string_view name(lpName);
    if (name.size() > MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return nullptr;
    }
    auto opened = platform::kernel::NamedMutexTable::Instance().Open(name, bInitialOwner != FALSE);
    if (opened.mutex == nullptr) {
        SetLastError(opened.error);
        return nullptr;
    }
    HANDLE handle = AddOrFail(std::move(opened.mutex));
    if (handle != nullptr) {
        // Callers read this straight after a successful call, so success must clear it.
        SetLastError(opened.alreadyExisted ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    }
    return handle;
}

extern "C" BOOL WINAPI ReleaseMutex(HANDLE hMutex) {
    const auto mutex = KernelHandleTable::Instance().FindAs<platform::kernel::MutexObject>(hMutex);
    if (mutex == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!mutex->Release()) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}

extern "C" HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState,
                                      LPCWSTR lpName) {
    // FIXME: named events would need the cross-process signalling that named mutexes
    // do not; nothing asks for one yet, so a name is refused rather than ignored.
    if (lpName != nullptr && lpName[0] != 0) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    HANDLE handle = AddOrFail(std::make_shared<platform::kernel::EventObject>(
        bManualReset != FALSE, bInitialState != FALSE));
    if (handle != nullptr) {
        SetLastError(ERROR_SUCCESS);
    }
    return handle;
}

namespace {

template <typename Action>
BOOL WithEvent(HANDLE hEvent, Action action) {
    const auto event = KernelHandleTable::Instance().FindAs<platform::kernel::EventObject>(hEvent);
    if (event == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    action(*event);
    return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI SetEvent(HANDLE hEvent) {
    return WithEvent(hEvent, [](platform::kernel::EventObject& event) { event.Set(); });
}

extern "C" BOOL WINAPI ResetEvent(HANDLE hEvent) {
    return WithEvent(hEvent, [](platform::kernel::EventObject& event) { event.Reset(); });
}
