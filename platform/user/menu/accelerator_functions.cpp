// Accelerator tables from resources or arrays, and TranslateAcceleratorW, which turns a
// matching key into WM_COMMAND (high word 1) for the window and swallows the key.
#include <windows.h>
#include <winuser.h>

#include <mutex>

#include "kernel/objects/handle_table.h"
#include "user/menu/accelerator_table.h"

using platform::user::AcceleratorTable;

namespace {

class AcceleratorTables {
  public:
    static AcceleratorTables& Instance() {
        static AcceleratorTables* tables = new AcceleratorTables();
        return *tables;
    }

    HACCEL Add(AcceleratorTable table) {
        std::lock_guard lock(mutex_);
        return table_.Add(std::move(table));
    }

    std::optional<AcceleratorTable> Find(HACCEL handle) {
        std::lock_guard lock(mutex_);
        const AcceleratorTable* table = table_.Find(handle);
        return table ? std::optional(*table) : std::nullopt;
    }

    bool Remove(HACCEL handle) {
        std::lock_guard lock(mutex_);
        return table_.Remove(handle).has_value();
    }

  private:
    std::mutex mutex_;
    platform::kernel::HandleTable<AcceleratorTable, HACCEL> table_{0x41};
};

bool IsDown(int key) {
    return GetKeyState(key) & 0x8000;
}

}  // namespace

extern "C" HACCEL WINAPI LoadAcceleratorsW(HINSTANCE hInstance, LPCWSTR lpTableName) {
    const HRSRC resource = FindResourceW(hInstance, lpTableName, RT_ACCELERATOR);
    if (!resource) {
        return nullptr;
    }
    const HGLOBAL loaded = LoadResource(hInstance, resource);
    const auto* data = static_cast<const BYTE*>(LockResource(loaded));
    auto table = AcceleratorTable::FromResource(data, SizeofResource(hInstance, resource));
    if (!table) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return AcceleratorTables::Instance().Add(std::move(*table));
}

extern "C" HACCEL WINAPI CreateAcceleratorTableW(LPACCEL paccel, int cAccel) {
    if (!paccel || cAccel <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return AcceleratorTables::Instance().Add(
        AcceleratorTable(std::vector<ACCEL>(paccel, paccel + cAccel)));
}

extern "C" BOOL WINAPI DestroyAcceleratorTable(HACCEL hAccel) {
    if (!AcceleratorTables::Instance().Remove(hAccel)) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return FALSE;
    }
    return TRUE;
}

extern "C" int WINAPI TranslateAcceleratorW(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto table = AcceleratorTables::Instance().Find(hAccTable);
    if (!table) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    const auto command =
        table->CommandFor(*lpMsg, IsDown(VK_SHIFT), IsDown(VK_CONTROL), IsDown(VK_MENU));
    if (!command || !IsWindow(hWnd)) {
        return 0;
    }
    SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(*command, 1), 0);
    return 1;
}
