// The Win32 face of the read-only registry.
#include <windows.h>

#include <algorithm>

#include <memory>

#include "kernel/objects/kernel_handle_table.h"
#include "kernel/registry/registry_key.h"
#include "kernel/registry/registry_path.h"

using platform::kernel::KernelHandleTable;
using platform::kernel::RegistryKey;
using platform::kernel::RegistryRoot;
using platform::kernel::RegistryValue;

namespace {

// Access a read-only registry cannot grant.
constexpr REGSAM kWriteAccess = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;

std::optional<RegistryRoot> PredefinedRoot(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE) {
        return RegistryRoot::LocalMachine;
    }
    if (key == HKEY_CURRENT_USER) {
        return RegistryRoot::CurrentUser;
    }
    if (key == HKEY_CLASSES_ROOT) {
        return RegistryRoot::ClassesRoot;
    }
    if (key == HKEY_USERS) {
        return RegistryRoot::Users;
    }
    return std::nullopt;
}

std::shared_ptr<const RegistryKey> KeyOf(HKEY key) {
    if (const auto root = PredefinedRoot(key)) {
        return std::make_shared<const RegistryKey>(*root, std::u16string{});
    }
    return KernelHandleTable::Instance().FindAs<RegistryKey>(key);
}

// Whether the character `fromEnd` places before the last one is a terminator.
bool EndsWithTerminator(const std::vector<std::uint8_t>& data, std::size_t fromEnd) {
    const std::size_t needed = (fromEnd + 1) * sizeof(char16_t);
    if (data.size() < needed) {
        return false;
    }
    const std::size_t at = data.size() - needed;
    return data[at] == 0 && data[at + 1] == 0;
}

// A string value always reaches the program terminated (a list: doubly), whatever the
// source stored, so that no caller reads past the data it was given.
void Terminate(RegistryValue& value) {
    const bool isString = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    if (!isString && value.type != REG_MULTI_SZ) {
        return;
    }
    if (value.data.size() % sizeof(char16_t) != 0) {
        value.data.push_back(0);
    }
    if (!EndsWithTerminator(value.data, 0)) {
        value.data.insert(value.data.end(), sizeof(char16_t), 0);
    }
    if (!isString && value.data.size() > sizeof(char16_t) && !EndsWithTerminator(value.data, 1)) {
        value.data.insert(value.data.end(), sizeof(char16_t), 0);
    }
}

}  // namespace

extern "C" LONG WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions,
                                     REGSAM samDesired, PHKEY phkResult) {
    if (phkResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = nullptr;
    if (ulOptions != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    if ((samDesired & kWriteAccess) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    const auto parent = KeyOf(hKey);
    if (!parent) {
        return ERROR_INVALID_HANDLE;
    }
    const auto parts = platform::kernel::SplitRegistryPath(lpSubKey != nullptr ? lpSubKey : u"");
    const auto source = platform::kernel::InstalledRegistrySource();
    if (!parts || !source) {
        return ERROR_FILE_NOT_FOUND;
    }
    std::u16string path = parent->path;
    for (const auto& part : *parts) {
        path += path.empty() ? part : u"\\" + part;
    }
    if (!path.empty() && !source->KeyExists(parent->root, path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    void* opened =
        KernelHandleTable::Instance().Add(std::make_shared<RegistryKey>(parent->root, path));
    if (opened == nullptr) {
        return ERROR_OUTOFMEMORY;
    }
    *phkResult = static_cast<HKEY>(opened);
    return ERROR_SUCCESS;
}

extern "C" LONG WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved,
                                        LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto key = KeyOf(hKey);
    if (!key) {
        return ERROR_INVALID_HANDLE;
    }
    const auto source = platform::kernel::InstalledRegistrySource();
    auto value = source ? source->Value(key->root, key->path, lpValueName ? lpValueName : u"")
                        : std::nullopt;
    if (!value) {
        return ERROR_FILE_NOT_FOUND;
    }
    Terminate(*value);
    if (lpType != nullptr) {
        *lpType = value->type;
    }
    if (lpcbData == nullptr) {
        return ERROR_SUCCESS;
    }
    const auto size = static_cast<DWORD>(value->data.size());
    const DWORD capacity = *lpcbData;
    *lpcbData = size;
    if (lpData == nullptr) {
        return ERROR_SUCCESS;
    }
    if (capacity < size) {
        return ERROR_MORE_DATA;
    }
    std::copy(value->data.begin(), value->data.end(), lpData);
    return ERROR_SUCCESS;
}

extern "C" LONG WINAPI RegCloseKey(HKEY hKey) {
    if (PredefinedRoot(hKey)) {
        return ERROR_SUCCESS;  // predefined keys stay open
    }
    // Only a registry key: the table also holds threads, mutexes and events.
    if (!KernelHandleTable::Instance().FindAs<RegistryKey>(hKey)) {
        return ERROR_INVALID_HANDLE;
    }
    return KernelHandleTable::Instance().Close(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
