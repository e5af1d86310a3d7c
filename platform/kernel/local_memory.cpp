// LocalAlloc and its companions. As on Windows CE every block is fixed, so the
// HLOCAL is the block's address; a block moves on LocalReAlloc only when the caller
// allows it with LMEM_MOVEABLE.
#include <windows.h>

#include "kernel/local_heap.h"

using platform::kernel::LocalHeap;

extern "C" HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
    if ((uFlags & ~static_cast<UINT>(LMEM_ZEROINIT)) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* block = LocalHeap::Instance().Allocate(uBytes, (uFlags & LMEM_ZEROINIT) != 0);
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return block;
}

extern "C" HLOCAL WINAPI LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags) {
    if ((uFlags & ~static_cast<UINT>(LMEM_MOVEABLE | LMEM_ZEROINIT)) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto resize = LocalHeap::Instance().Reallocate(
        hMem, uBytes, (uFlags & LMEM_MOVEABLE) != 0, (uFlags & LMEM_ZEROINIT) != 0);
    switch (resize.outcome) {
        case LocalHeap::ResizeOutcome::Resized:
            return resize.block;
        case LocalHeap::ResizeOutcome::UnknownBlock:
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        case LocalHeap::ResizeOutcome::OutOfMemory:
            break;
    }
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

extern "C" SIZE_T WINAPI LocalSize(HLOCAL hMem) {
    const auto size = LocalHeap::Instance().SizeOf(hMem);
    if (!size) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return *size;
}

// Returns null once the block is freed, and the handle itself when it was no block.
extern "C" HLOCAL WINAPI LocalFree(HLOCAL hMem) {
    if (hMem == nullptr) {
        return nullptr;
    }
    if (!LocalHeap::Instance().Free(hMem)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    return nullptr;
}
