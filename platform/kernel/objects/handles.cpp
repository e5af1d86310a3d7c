// CloseHandle and WaitForSingleObject over the kernel handle table.
#include <windows.h>

#include "kernel/objects/kernel_handle_table.h"
#include "kernel/objects/waitable_object.h"

using platform::kernel::KernelHandleTable;

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject) {
    if (!KernelHandleTable::Instance().Close(hObject)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    // The object stays alive for the wait even if another thread closes the handle.
    const auto object =
        KernelHandleTable::Instance().FindAs<platform::kernel::WaitableObject>(hHandle);
    if (object == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return object->Wait(dwMilliseconds) == platform::kernel::WaitResult::Signalled ? WAIT_OBJECT_0
                                                                                   : WAIT_TIMEOUT;
}
